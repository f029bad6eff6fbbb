#pragma once

#include <QStringList>
#include <QWidget>

class QComboBox;
class QListWidget;
class FileListBox;

/// The mask a filter text stands for: what follows its first "(" up to, not including,
/// its last character ("HTML Files (*.*htm*)" gives "*.*htm*").
QString MaskFromFilterText(const QString& text);

/// The file browser of the main window's left pane: the drive box (mounted file systems
/// and the home folder), the folder list, the file-type filter and the multi-select file
/// list. Names are matched against the mask ignoring letter case.
class FileBrowser : public QWidget {
    Q_OBJECT
public:
    explicit FileBrowser(QWidget* parent = nullptr);

    QString Folder() const { return m_folder; }
    /// Moves to `folder` when it exists; returns whether it did.
    bool SetFolder(const QString& folder);
    /// Re-reads the folder list, then the file list.
    void Refresh();

    QStringList FileNames() const;
    /// The selected names, in list order.
    QStringList SelectedFiles() const;
    /// The current item's name when it is itself selected, else "".
    QString CurrentSelectedFile() const;
    /// Makes the named file (letter case ignored) the current and only selected item.
    bool SelectFile(const QString& name);

    QListWidget* FileList() const;
    QWidget* DriveAndFolderArea() const { return m_driveArea; }

signals:
    void FolderChanged(const QString& folder);
    void SelectionChanged();
    void FileDoubleClicked();

private:
    void FillDrives();
    void FillFolders();
    void FillFiles();
    void FilterComboChange(const QString& text);

    QString m_folder;
    QString m_mask = "*.*htm*";
    QWidget* m_driveArea;
    QComboBox* m_drives;
    QListWidget* m_folders;
    QComboBox* m_filter;
    FileListBox* m_files;
};
