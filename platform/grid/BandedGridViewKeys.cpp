// The grid's keys: moving the focused row and cell, expanding and collapsing groups, deleting
// and copying. Typing, Insert, Enter and F2 do nothing: the grid neither edits nor searches.

#include "platform/grid/BandedGridView.h"
#include "platform/grid/GridViewModel.h"

#include <QKeyEvent>

namespace pensilio::grid {

bool BandedGridView::groupKey(QKeyEvent *event, int focus)
{
    if (focus < 0 || m_model->rowAt(focus).kind != RowKind::Group)
        return false;
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool keypad = mods & Qt::KeypadModifier;
    if ((mods & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    switch (event->key()) {
    case Qt::Key_Right:
        m_model->expandGroup(focus);
        return true;
    case Qt::Key_Left:
        m_model->collapseGroup(focus);
        return true;
    case Qt::Key_Plus:
        if (!keypad)
            return false;
        m_model->expandGroup(focus);
        return true;
    case Qt::Key_Minus:
        if (!keypad)
            return false;
        m_model->collapseGroup(focus);
        return true;
    case Qt::Key_Asterisk:
        if (!keypad)
            return false;
        m_model->expandGroup(focus, Recursion::AllLevels);
        return true;
    default:
        return false;
    }
}

void BandedGridView::keyPressEvent(QKeyEvent *event)
{
    if (!m_model) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const int focus = m_model->focusedRow();
    if (groupKey(event, focus)) {
        ensureRowVisible(m_model->focusedRow());
        event->accept();
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int last = m_model->rowCount() - 1;
    const int page = rowsPerPage();
    const bool plain = mods == Qt::NoModifier;
    const bool ctrl = mods == Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up:
        if (plain)
            moveFocusTo(focus < 0 ? 0 : focus - 1, -1);
        break;
    case Qt::Key_Down:
        if (plain)
            moveFocusTo(focus < 0 ? 0 : focus + 1, 1);
        break;
    case Qt::Key_PageUp:
        if (plain)
            moveFocusTo(focus < 0 ? 0 : focus - page, -1);
        break;
    case Qt::Key_PageDown:
        if (plain)
            moveFocusTo(focus < 0 ? 0 : focus + page, 1);
        break;
    case Qt::Key_Home:
        if (ctrl)
            moveFocusTo(0, 1);
        else if (plain)
            setFocusedColumn(columnStep(m_focusedColumn, -1000));
        break;
    case Qt::Key_End:
        if (ctrl)
            moveFocusTo(last, -1);
        else if (plain)
            setFocusedColumn(columnStep(m_focusedColumn, 1000));
        break;
    case Qt::Key_Left:
        if (plain)
            setFocusedColumn(columnStep(m_focusedColumn, -1));
        break;
    case Qt::Key_Right:
        if (plain)
            setFocusedColumn(columnStep(m_focusedColumn, 1));
        break;
    case Qt::Key_Delete:
        // Shift+Delete and Alt+Delete do nothing.
        if (plain || ctrl)
            m_model->deleteFocused();
        break;
    case Qt::Key_Insert:
        if (ctrl)
            copyFocusedRow();
        break;
    case Qt::Key_C:
        if (ctrl)
            copyFocusedRow();
        else
            event->ignore();
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace pensilio::grid
