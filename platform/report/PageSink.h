#pragma once
// Where a run delivers its pages: a page store for the preview, or a printer page by page.

#include <QByteArray>

namespace pensilio::report {

class PageStyles;

class PageSink
{
public:
    virtual ~PageSink() = default;
    // The fonts and colours the run's commands refer to.
    virtual PageStyles &styles() = 0;
    // A page is complete; 'number' counts from 1.
    virtual void pageFinished(int number, QByteArray commands) = 0;
};

} // namespace pensilio::report
