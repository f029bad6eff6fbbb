#include "components/UpgradeCheck.h"

#include "net/EHttpException.h"
#include "net/THttpCli.h"
#include "platform/RegularFile.h"

#include <filesystem>
#include <fstream>

namespace {

constexpr const char* ProductName = "Tarvik";
constexpr std::array<const char*, 3> MirrorPaths = { "/tvlatest.dat", "/software/tvlatest.dat", "/~orbane/tvlatest.dat" };
const std::string InitialCaption = std::string(12, ' ') + "Connecting to web site ";
const std::string Failure = "FAILED TO GET UPGRADE INFORMATION";

std::string UpToDate() { return std::string("You already have the latest available version of ") + ProductName; }

/// The file as received, or nothing when it is missing or larger than any real one.
std::optional<std::string> ReadSmallFile(const std::string& path)
{
    std::string text;
    if (!ReadRegularFile(path, text, UpgradeCheck::MaxFileSize).Ok())
        return std::nullopt;
    return text;
}

class BusyWhile {
public:
    explicit BusyWhile(UpgradeHost& host)
        : m_host(host)
    {
        m_host.SetBusy(true);
    }
    ~BusyWhile() { m_host.SetBusy(false); }
    BusyWhile(const BusyWhile&) = delete;
    BusyWhile& operator=(const BusyWhile&) = delete;

private:
    UpgradeHost& m_host;
};

}

UpgradeCheck::UpgradeCheck(UpgradeHost& host, THttpCli& http, std::string folder)
    : m_host(host)
    , m_http(http)
    , m_folder(std::move(folder))
{
}

std::string UpgradeCheck::MirrorAddress(const std::string& base, std::size_t index)
{
    std::string address = base;
    while (!address.empty() && address.back() == '/')
        address.pop_back();
    return address + MirrorPaths.at(index);
}

void UpgradeCheck::Run(int installedBuild, const UpgradeMirrors& mirrors)
{
    m_installedBuild = installedBuild;
    m_caption = InitialCaption;
    m_host.SetProgressCaption(m_caption);
    m_mode = Mode::Check;
    m_statusCode.clear();
    m_reasonPhrase.clear();

    std::optional<int> best;
    std::size_t bestMirror = 0;
    for (m_attempt = 1; m_attempt <= mirrors.size(); ++m_attempt) {
        AddBars();
        Attempt attempt = ReadUpgradeInfo(MirrorAddress(mirrors[m_attempt - 1], m_attempt - 1));
        AddBars();
        if (attempt.kind == Attempt::Kind::Declined)
            return;
        if (attempt.kind == Attempt::Kind::Offered && (!best || attempt.build > *best)) {
            best = attempt.build;
            bestMirror = m_attempt - 1;
        }
    }

    if (!best) {
        m_host.ShowProgress(false);
        m_host.ShowMessage(Failure + "\r\nStatus Code: " + m_statusCode + "\r\nReason: " + m_reasonPhrase);
        return;
    }
    if (m_installedBuild < *best) {
        m_mode = Mode::Display;
        ReadUpgradeInfo(MirrorAddress(mirrors[bestMirror], bestMirror));
        std::error_code ignored;
        std::filesystem::remove(FilePath(), ignored);
        m_host.ShowProgress(false);
        return;
    }
    m_host.ShowProgress(false);
    m_host.ShowMessage(UpToDate());
}

UpgradeCheck::Attempt UpgradeCheck::ReadUpgradeInfo(const std::string& address)
{
    if (m_mode == Mode::Check && m_attempt == 1) {
        if (!m_host.AskYesNo("Checking for upgrades requires an active connection\r\nto the internet. "
                             "Are you connected and ready to go ahead?")) {
            m_host.ShowProgress(false);
            return { Attempt::Kind::Declined };
        }
        m_host.ShowProgress(true);
    }

    std::optional<std::string> text;
    {
        BusyWhile busy(m_host);
        switch (Fetch(address)) {
        case Fetched::HttpFailed:
            if (m_mode == Mode::Check) {
                m_statusCode = std::to_string(m_http.StatusCode());
                m_reasonPhrase = m_http.ReasonPhrase();
                return { Attempt::Kind::Failed };
            }
            m_host.ShowMessage(Failure + "\r\n\r\nStatusCode: " + std::to_string(m_http.StatusCode())
                + "\r\nReason: " + m_http.ReasonPhrase());
            return { Attempt::Kind::Failed };
        case Fetched::OtherFailure:
            return { Attempt::Kind::Failed };
        case Fetched::File:
            text = ReadSmallFile(FilePath());
            break;
        }
    }

    std::optional<UpgradeInfo> info = text ? ParseUpgradeInfo(*text) : std::nullopt;
    if (!info) {
        if (m_mode == Mode::Display)
            m_host.ShowMessage("Unable to interpret website response.");
        return { Attempt::Kind::Failed };
    }
    if (m_installedBuild < info->build) {
        if (m_mode == Mode::Display) {
            m_host.ShowProgress(false);
            m_host.ShowOffer(*info);
        }
        return { Attempt::Kind::Offered, info->build };
    }
    if (m_mode == Mode::Display)
        m_host.ShowMessage(UpToDate());
    return { Attempt::Kind::Offered, info->build };
}

UpgradeCheck::Fetched UpgradeCheck::Fetch(const std::string& address)
{
    // Each mirror's answer is its own file: one left by an earlier mirror must never be
    // read as this one's.
    std::error_code ignored;
    std::filesystem::remove(FilePath(), ignored);

    std::ofstream file;
    m_http.URL = address;
    m_http.Proxy.clear();
    m_http.ProxyPort.clear();
    m_http.RcvdStream = nullptr;
    m_http.ModifiedSince = 0;
    m_http.RcvdHeader().clear();
    m_http.Agent = "Mozilla/3.0 (compatible)";
    m_http.Accept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
    m_http.MaxBodySize = MaxFileSize;
    m_http.BodyLimitEndsRequest = false;
    m_http.OnDocBegin = [this, &file](THttpCli& http) {
        file.open(FilePath(), std::ios::binary | std::ios::trunc);
        http.RcvdStream = &file;
    };
    m_http.OnDocEnd = [&file](THttpCli& http) {
        file.close();
        http.RcvdStream = nullptr;
    };
    Fetched fetched = Fetched::File;
    try {
        m_http.Get();
    } catch (const EHttpException&) {
        fetched = Fetched::HttpFailed;
    } catch (const std::exception&) {
        fetched = Fetched::OtherFailure;
    }
    // The handlers hold the local file: they go with it.
    m_http.OnDocBegin = nullptr;
    m_http.OnDocEnd = nullptr;
    m_http.RcvdStream = nullptr;
    return fetched;
}

void UpgradeCheck::AddBars()
{
    m_caption.append(BarsPerStep, '|');
    m_host.SetProgressCaption(m_caption);
}
