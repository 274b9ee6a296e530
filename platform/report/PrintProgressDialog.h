#pragma once
// The "Printing progress" window: the percentage done, a bar and a button that cancels.

#include "platform/report/PreviewDialogs.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace pensilio::report {

class PrintProgressDialog final : public QDialog, public PrintProgress
{
    Q_OBJECT
public:
    explicit PrintProgressDialog(QWidget *parent = nullptr);
    // The text and the bar move in steps of five.
    void setPercent(int percent) override;
    bool isCancelled() const override { return m_cancelled; }
    QString text() const;

protected:
    void reject() override;

private:
    QLabel *m_label = nullptr;
    QProgressBar *m_bar = nullptr;
    bool m_cancelled = false;
};

} // namespace pensilio::report
