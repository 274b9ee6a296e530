#pragma once
// Typing any text, as a keyboard with that layout would: QTest::keyClicks only knows Latin-1.

#include <QTest>

namespace pensilio::testing {

inline void typeText(QWidget *widget, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString key = text.mid(i, n);
        i += n - 1;
        const char16_t u = key.at(0).unicode();
        const Qt::Key code = u == u'\t'                 ? Qt::Key_Tab
                             : (u >= u'a' && u <= u'z') ? Qt::Key(Qt::Key_A + (u - u'a'))
                                                        : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, widget, code, key, Qt::NoModifier);
    }
}

} // namespace pensilio::testing
