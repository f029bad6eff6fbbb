#include "app/QtClipboard.h"

#include "app/QtText.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>
#include <chrono>
#include <thread>

namespace {

/// The clipboard's text, which notes when another program reads it.
class WatchedText : public QMimeData {
public:
    explicit WatchedText(std::shared_ptr<bool> read)
        : m_read(std::move(read))
    {
    }

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override
    {
        *m_read = true;
        return QMimeData::retrieveData(mimeType, type);
    }

private:
    std::shared_ptr<bool> m_read;
};

/// How long a window may take to ask for the pasted text; one that never does (it has no
/// use for a paste) costs this once.
constexpr qint64 PasteWaitMs = 1000;

}

void QtClipboard::SetText(const std::string& text)
{
    m_read = std::make_shared<bool>(false);
    auto* data = new WatchedText(m_read);
    data->setText(ShownText(text));
    QGuiApplication::clipboard()->setMimeData(data);
}

void QtClipboard::AwaitPaste()
{
    QElapsedTimer waited;
    waited.start();
    while (!*m_read && waited.elapsed() < PasteWaitMs) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!*m_read)
        return;
    // The answer is on its way to the X server; let it arrive ahead of the next keys.
    QCoreApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
}
