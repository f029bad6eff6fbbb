#pragma once

#include "platform/AtomicFile.h"
#include "platform/TextBlocks.h"
#include "report/ReportLine.h"

#include <deque>
#include <functional>
#include <string>

/// The report as the run writes it: a sequence of styled lines. It is the one source of
/// the report's plain text, which the screen, "Save Report As", the command line and the
/// tests all use. Owned by the front end; the run only appends.
class ReportDocument {
public:
    using Observer = std::function<void(const ReportDocument&)>;

    /// Keeps a copy of the line's text.
    void Append(ReportLine line);
    void Clear();
    const std::deque<ReportLine>& Lines() const { return m_lines; }
    bool Empty() const { return m_lines.empty(); }

    /// The plain text: a normal-weight line gets four blanks in front, a bold one none;
    /// every line, and every CR LF inside a line, ends with `lineEnd`.
    std::string PlainText(const std::string& lineEnd) const;
    /// The same text in pieces of some tens of kilobytes, for a report too large to copy whole.
    void WritePlainText(const std::string& lineEnd, const TextSink& sink) const;

    /// Called after every change, for a screen bound to the document.
    void SetObserver(Observer observer) { m_observer = std::move(observer); }

private:
    void Changed() const;

    /// A deque, which grows without copying: a large site's report has hundreds of
    /// thousands of lines, and a vector's doubling would briefly hold them three times.
    std::deque<ReportLine> m_lines;
    /// The lines' texts end to end: a report line of a large site is mostly a short list
    /// entry, which as a string of its own would cost as much again in header and heap.
    TextBlocks m_texts;
    Observer m_observer;
};
