#include "app/FileListBox.h"

#include <QMouseEvent>

FileListBox::FileListBox(QWidget* parent)
    : QListWidget(parent)
{
    setObjectName("FileListBox1");
    setAccessibleName("Files");
    setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void FileListBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton) {
        QListWidget::mousePressEvent(event);
        return;
    }
    QListWidgetItem* item = itemAt(event->position().toPoint());
    if (!item)
        return;
    clearSelection();
    setCurrentItem(item);
    item->setSelected(true);
}
