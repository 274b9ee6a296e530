#pragma once
// The modal dialogs of a report preview and the window that shows printing progress, behind an
// interface so that tests substitute them and never block.

#include <QString>
#include <memory>

class QPrinter;
class QWidget;

namespace pensilio::report {

// Shown while a report goes to the printer; the user may cancel it.
class PrintProgress
{
public:
    virtual ~PrintProgress() = default;
    virtual void setPercent(int percent) = 0;
    virtual bool isCancelled() const = 0;
};

class PreviewDialogs
{
public:
    virtual ~PreviewDialogs() = default;
    // The chosen file name, or the empty text when the user cancelled.
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &filter,
                                 const QString &defaultSuffix) = 0;
    virtual QString openFileName(QWidget *parent, const QString &caption,
                                 const QString &filter) = 0;
    // The print dialog over 'printer', pages 1 to 'pageCount'; the printer takes the choices
    // only when the user confirms.
    virtual bool printSetup(QWidget *parent, QPrinter &printer, int pageCount) = 0;
    virtual std::unique_ptr<PrintProgress> printProgress(QWidget *parent) = 0;
};

class QtPreviewDialogs final : public PreviewDialogs
{
public:
    QString saveFileName(QWidget *parent, const QString &caption, const QString &filter,
                         const QString &defaultSuffix) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &filter) override;
    bool printSetup(QWidget *parent, QPrinter &printer, int pageCount) override;
    std::unique_ptr<PrintProgress> printProgress(QWidget *parent) override;
};

} // namespace pensilio::report
