// Report files come from outside: any bytes must load as pages or give a message, and pages
// that load must draw without fault.

#include "platform/report/PageRenderer.h"
#include "platform/report/ReportFile.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    static std::unique_ptr<QGuiApplication> app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz_reportfile";
        static char *argv[] = {name, nullptr};
        return std::make_unique<QGuiApplication>(argc, argv);
    }();
    using namespace pensilio::report;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    ReportFileResult result = reportfile::decode(bytes, QStringLiteral("fuzz.QRP"));
    if (!result.pages) {
        if (result.error.isEmpty())
            std::abort();
        return 0;
    }
    QImage image(60, 80, QImage::Format_RGB32);
    QPainter painter(&image);
    PageRenderer renderer(painter, result.pages->styles, 60 / 210.0);
    for (const QByteArray &page : result.pages->pages)
        if (!renderer.render(page))
            std::abort(); // a loaded page was checked and must decode
    return 0;
}
