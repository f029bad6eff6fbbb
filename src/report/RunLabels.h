#pragma once

#include <functional>
#include <string>

/// The small texts a run shows besides the grids and the report: the status line, the
/// counters under the grids, the page title, the file-name panel and the progress gauge.
/// Owned by the front end; the run writes, a screen or a terminal reads.
class RunLabels {
public:
    enum class Label { Status, Links, Images, PagesToCheck, Title, FileName, Progress };
    using Observer = std::function<void(const RunLabels&, Label)>;

    struct Gauge {
        long maximum = 100;
        long position = 0;
        bool visible = false;
        bool showText = false;
    };

    const std::string& Status() const { return m_status; }
    const std::string& Links() const { return m_links; }
    const std::string& Images() const { return m_images; }
    const std::string& PagesToCheck() const { return m_pagesToCheck; }
    const std::string& Title() const { return m_title; }
    const std::string& FileName() const { return m_fileName; }
    const Gauge& Progress() const { return m_gauge; }

    void SetStatus(std::string text) { Set(m_status, std::move(text), Label::Status); }
    void SetLinks(std::string text) { Set(m_links, std::move(text), Label::Links); }
    void SetImages(std::string text) { Set(m_images, std::move(text), Label::Images); }
    void SetPagesToCheck(std::string text) { Set(m_pagesToCheck, std::move(text), Label::PagesToCheck); }
    void SetTitle(std::string text) { Set(m_title, std::move(text), Label::Title); }
    void SetFileName(std::string text) { Set(m_fileName, std::move(text), Label::FileName); }

    void SetGauge(Gauge gauge);
    void AdvanceGauge(long by);

    void SetObserver(Observer observer) { m_observer = std::move(observer); }

private:
    void Set(std::string& field, std::string text, Label label);

    std::string m_status;
    std::string m_links = "Links: 0";
    std::string m_images = "Images: 0";
    std::string m_pagesToCheck = "Pages left to check: 0";
    std::string m_title;
    std::string m_fileName;
    Gauge m_gauge;
    Observer m_observer;
};
