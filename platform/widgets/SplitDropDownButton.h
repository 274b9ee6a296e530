#pragma once
// A push button with a drop-down arrow part on its right: the arrow part, or Alt/Shift with
// Up/Down, opens the button's menu below it (above when the screen has no room below).

#include <QMenu>
#include <QPointer>
#include <QPushButton>

namespace pensilio::widgets {

class SplitDropDownButton : public QPushButton
{
    Q_OBJECT

public:
    static constexpr int kArrowWidth = 15;

    explicit SplitDropDownButton(QWidget *parent = nullptr);
    explicit SplitDropDownButton(const QString &text, QWidget *parent = nullptr);

    // The menu is not owned; the button forgets it when it is destroyed.
    void setDropDownMenu(QMenu *menu);
    QMenu *dropDownMenu() const { return m_menu; }

    QRect arrowRect() const;
    // Where the menu opens, in global coordinates, for the screen the button is on.
    QPoint menuPosition() const;

public Q_SLOTS:
    // Opens the menu without waiting for it to close. Does nothing without a menu.
    void openMenu();

Q_SIGNALS:
    // Emitted just before the menu pops up at 'globalPos'.
    void menuRequested(const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void openMenuFrom(Qt::FocusReason reason);

    QPointer<QMenu> m_menu;
};

} // namespace pensilio::widgets
