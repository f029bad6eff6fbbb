#pragma once

#include <QListWidget>

/// The file list: several files may be selected, and pressing the right mouse button on
/// a file leaves that file the only selected one, so a pop-up command acts on it alone.
class FileListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
