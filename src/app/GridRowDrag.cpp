#include "app/GridRowDrag.h"

#include "app/GridSort.h"
#include "app/ResultGridModel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTableView>
#include <utility>

GridRowDrag::GridRowDrag(QTableView* grid, ResultGridModel* model, std::function<bool()> allowed)
    : QObject(grid)
    , m_grid(grid)
    , m_model(model)
    , m_allowed(std::move(allowed))
    , m_viewport(grid->viewport())
{
    m_viewport->installEventFilter(this);
}

bool GridRowDrag::eventFilter(QObject* watched, QEvent* event)
{
    // Compared with the viewport kept at the start: while the grid is being destroyed its
    // viewport still sends events, and the grid can no longer be asked for it.
    if (watched != m_viewport)
        return false;
    // The view goes on handling every event: pressing and dragging also move its
    // current cell.
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        m_dragging = false;
        m_from = mouse->button() == Qt::LeftButton && m_allowed()
            ? m_grid->rowAt(mouse->position().toPoint().y())
            : -1;
        m_pressedAt = mouse->position().toPoint();
        break;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (m_from >= 0 && !m_dragging && (mouse->buttons() & Qt::LeftButton)
            && (mouse->position().toPoint() - m_pressedAt).manhattanLength()
                >= QApplication::startDragDistance()) {
            m_dragging = true;
            m_viewport->setCursor(Qt::DragMoveCursor);
        }
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !m_dragging)
            break;
        m_dragging = false;
        m_viewport->unsetCursor();
        int y = mouse->position().toPoint().y();
        int to = m_grid->rowAt(y);
        // Let go past either end of the rows: the row goes first or last.
        if (to < 0)
            to = y < 0 ? 0 : m_model->rowCount() - 1;
        int from = std::exchange(m_from, -1);
        if (to == from || !m_allowed())
            break;
        MoveGridRow(m_model->Grid(), std::size_t(from) + 1, std::size_t(to) + 1);
        m_model->Flush();
        m_grid->setCurrentIndex(m_model->index(to, std::max(m_grid->currentIndex().column(), 0)));
        break;
    }
    default:
        break;
    }
    return false;
}
