#include "platform/report/PrintProgressDialog.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace pensilio::report {

PrintProgressDialog::PrintProgressDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(QStringLiteral("Printing progress"));
    auto *layout = new QVBoxLayout(this);
    m_label = new QLabel(QStringLiteral("0%  Completed"), this);
    m_label->setAlignment(Qt::AlignCenter);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setAccessibleName(QStringLiteral("Printing progress"));
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(cancel, &QPushButton::clicked, this, &PrintProgressDialog::reject);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        adjustSize();
        move(screen->availableGeometry().center() - rect().center());
    }
}

void PrintProgressDialog::setPercent(int percent)
{
    if (percent % 5 != 0)
        return;
    m_label->setText(QString::number(percent) + QStringLiteral("% ") +
                     QStringLiteral(" Completed"));
    m_bar->setValue(percent);
}

QString PrintProgressDialog::text() const
{
    return m_label->text();
}

void PrintProgressDialog::reject()
{
    // The window stays until the run has noticed; the printing code closes it.
    m_cancelled = true;
}

} // namespace pensilio::report
