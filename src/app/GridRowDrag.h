#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

class QTableView;
class QWidget;
class ResultGridModel;

/// Lets the user drag a row of a result grid to another place: pressing on a row and
/// letting go over another moves it there, the rows between shifting by one and each
/// row keeping its colour. While the view follows the pointer, its current cell marks
/// the place the row will go. Nothing moves while `allowed` says no: a run in progress
/// fills the grid's last row.
class GridRowDrag : public QObject {
    Q_OBJECT
public:
    GridRowDrag(QTableView* grid, ResultGridModel* model, std::function<bool()> allowed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* m_grid;
    ResultGridModel* m_model;
    std::function<bool()> m_allowed;
    QWidget* m_viewport;
    int m_from = -1;
    QPoint m_pressedAt;
    bool m_dragging = false;
};
