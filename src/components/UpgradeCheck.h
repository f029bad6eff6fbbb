#pragma once

#include "components/UpgradeInfo.h"

#include <array>
#include <cstddef>
#include <string>

class THttpCli;

/// What the upgrade check asks of the window that runs it.
class UpgradeHost {
public:
    virtual ~UpgradeHost() = default;

    /// A Yes/No question; true for Yes.
    virtual bool AskYesNo(const std::string& question) = 0;
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void SetProgressCaption(const std::string& caption) = 0;
    virtual void ShowProgress(bool shown) = 0;
    /// The busy cursor, on while a mirror is asked.
    virtual void SetBusy(bool busy) = 0;
    /// Shows the upgrade dialog for a newer build and returns when the user closes it.
    virtual void ShowOffer(const UpgradeInfo& info) = 0;
};

/// The base addresses (scheme and host) of the three mirrors, in the order they are tried.
using UpgradeMirrors = std::array<std::string, 3>;

/// Asks three mirrors for the upgrade information file, takes the highest build offered
/// (the first mirror of equal ones) and, when it is newer than the installed build, asks
/// that mirror again to show the offer; otherwise tells the user that the program is up to
/// date, or that no mirror could be read. The file is written into the given private folder
/// by full path; the process's current folder is never touched. Runs on the thread of the
/// HTTP client's message queue; each fetch blocks on the client's pump.
class UpgradeCheck {
public:
    static constexpr const char* FileName = "tvlatest.dat";
    /// A real information file is a few hundred bytes; a larger answer fails the mirror.
    static constexpr std::size_t MaxFileSize = 64 * 1024;
    static constexpr std::size_t BarsPerStep = 8;

    /// `folder` ends in "/".
    UpgradeCheck(UpgradeHost& host, THttpCli& http, std::string folder);

    void Run(int installedBuild, const UpgradeMirrors& mirrors);

    /// Where the downloaded file lands.
    std::string FilePath() const { return m_folder + FileName; }
    /// The address of the information file on mirror `index` (0 to 2).
    static std::string MirrorAddress(const std::string& base, std::size_t index);

private:
    enum class Mode { Check, Display };
    /// The user declining to go on line is kept apart from every number a mirror may send.
    struct Attempt {
        enum class Kind { Offered, Failed, Declined } kind;
        int build = 0;
    };
    enum class Fetched { File, HttpFailed, OtherFailure };

    Attempt ReadUpgradeInfo(const std::string& address);
    Fetched Fetch(const std::string& address);
    void AddBars();

    UpgradeHost& m_host;
    THttpCli& m_http;
    std::string m_folder;
    int m_installedBuild = 0;
    std::size_t m_attempt = 0;
    Mode m_mode = Mode::Check;
    std::string m_caption;
    /// Of the last request that failed with an HTTP status, in check mode.
    std::string m_statusCode;
    std::string m_reasonPhrase;
};
