#pragma once

#include <QString>
#include <string>
#include <string_view>

/// The run works on 8-bit text; the window shows it as UTF-8 when it is valid UTF-8 and
/// as Latin-1 otherwise, so no page text is ever lost on the way to the screen.
QString ShownText(std::string_view bytes);

/// A file name or path as the file system spells it, to hand to the run.
std::string FileNameBytes(const QString& name);
