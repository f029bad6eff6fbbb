#include "app/FileBrowser.h"

#include "app/FileListBox.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QVBoxLayout>

namespace {

bool MatchesMask(const QString& name, const QString& mask)
{
    for (const QString& one : mask.split(';', Qt::SkipEmptyParts)) {
        QRegularExpression pattern(QRegularExpression::wildcardToRegularExpression(one.trimmed()),
            QRegularExpression::CaseInsensitiveOption);
        if (pattern.match(name).hasMatch())
            return true;
    }
    return false;
}

}

QString MaskFromFilterText(const QString& text)
{
    QString mask = text.mid(text.indexOf('(') + 1);
    mask.chop(1);
    return mask;
}

FileBrowser::FileBrowser(QWidget* parent)
    : QWidget(parent)
{
    m_driveArea = new QWidget(this);
    m_driveArea->setObjectName("Panel3");
    m_drives = new QComboBox(m_driveArea);
    m_drives->setObjectName("DriveCombo");
    m_drives->setAccessibleName("Drive");
    m_folders = new QListWidget(m_driveArea);
    m_folders->setObjectName("DirectoryListBox1");
    m_folders->setAccessibleName("Folders");
    auto* driveLayout = new QVBoxLayout(m_driveArea);
    driveLayout->setContentsMargins(1, 1, 1, 1);
    driveLayout->addWidget(m_drives);
    driveLayout->addWidget(m_folders);

    m_filter = new QComboBox(this);
    m_filter->setObjectName("FilterCombo");
    m_filter->setAccessibleName("File type");
    m_filter->setEditable(true);
    m_filter->setInsertPolicy(QComboBox::NoInsert);
    m_filter->addItems({ "HTML Files (*.*htm*)", "Active Server Pages (*.asp)", "All Files (*.*)" });
    m_filter->setCurrentIndex(0);
    m_files = new FileListBox(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_driveArea);
    layout->addWidget(m_filter);
    layout->addWidget(m_files, 1);

    FillDrives();
    connect(m_drives, &QComboBox::activated, this,
        [this](int index) { SetFolder(m_drives->itemData(index).toString()); });
    connect(m_folders, &QListWidget::itemActivated, this,
        [this](QListWidgetItem* item) { SetFolder(QDir(m_folder).absoluteFilePath(item->text())); });
    connect(m_filter, &QComboBox::editTextChanged, this, &FileBrowser::FilterComboChange);
    connect(m_files, &QListWidget::itemSelectionChanged, this, &FileBrowser::SelectionChanged);
    connect(m_files, &QListWidget::itemDoubleClicked, this, &FileBrowser::FileDoubleClicked);
    SetFolder(QDir::currentPath());
}

void FileBrowser::FillDrives()
{
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath()))
            roots.append(volume.rootPath());
    }
    roots.sort();
    for (const QString& root : roots)
        m_drives->addItem(root, root);
    m_drives->addItem("Home (" + QDir::homePath() + ")", QDir::homePath());
}

bool FileBrowser::SetFolder(const QString& folder)
{
    QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir())
        return false;
    QString path = info.canonicalFilePath();
    bool changed = path != m_folder;
    m_folder = path;
    Refresh();
    if (changed)
        emit FolderChanged(m_folder);
    return true;
}

void FileBrowser::Refresh()
{
    FillFolders();
    FillFiles();
}

void FileBrowser::FillFolders()
{
    // As a folder tree opened down to the current folder: its ancestors, itself, and
    // its subfolders one step further in.
    m_folders->clear();
    QStringList ancestors;
    for (QDir dir(m_folder); !dir.isRoot() && dir.cdUp();)
        ancestors.prepend(dir.absolutePath());
    int depth = 0;
    auto add = [this](const QString& path, const QString& name, int indent) {
        auto* item = new QListWidgetItem(QString(indent * 2, ' ') + name, m_folders);
        item->setData(Qt::UserRole, path);
        return item;
    };
    for (const QString& path : ancestors) {
        QString name = QFileInfo(path).fileName();
        add(path, name.isEmpty() ? path : name, depth++);
    }
    QString name = QFileInfo(m_folder).fileName();
    m_folders->setCurrentItem(add(m_folder, name.isEmpty() ? m_folder : name, depth));
    QDir dir(m_folder);
    for (const QString& sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        add(dir.absoluteFilePath(sub), sub, depth + 1);
    // The drive box shows the file system the folder is on.
    int best = -1;
    for (int i = 0; i < m_drives->count(); ++i) {
        QString root = m_drives->itemData(i).toString();
        if ((m_folder == root || m_folder.startsWith(root.endsWith('/') ? root : root + '/'))
            && (best < 0 || root.size() > m_drives->itemData(best).toString().size()))
            best = i;
    }
    if (best >= 0)
        m_drives->setCurrentIndex(best);
}

void FileBrowser::FillFiles()
{
    m_files->clear();
    const QStringList names = QDir(m_folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names) {
        if (MatchesMask(name, m_mask))
            m_files->addItem(name);
    }
    emit SelectionChanged();
}

void FileBrowser::FilterComboChange(const QString& text)
{
    m_mask = MaskFromFilterText(text);
    FillFiles();
}

QStringList FileBrowser::FileNames() const
{
    QStringList names;
    for (int i = 0; i < m_files->count(); ++i)
        names.append(m_files->item(i)->text());
    return names;
}

QStringList FileBrowser::SelectedFiles() const
{
    QStringList names;
    for (int i = 0; i < m_files->count(); ++i) {
        if (m_files->item(i)->isSelected())
            names.append(m_files->item(i)->text());
    }
    return names;
}

QString FileBrowser::CurrentSelectedFile() const
{
    QListWidgetItem* item = m_files->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

bool FileBrowser::SelectFile(const QString& name)
{
    const QList<QListWidgetItem*> found = m_files->findItems(name, Qt::MatchFixedString);
    if (found.isEmpty())
        return false;
    m_files->clearSelection();
    m_files->setCurrentItem(found.front());
    found.front()->setSelected(true);
    return true;
}

QListWidget* FileBrowser::FileList() const
{
    return m_files;
}
