#pragma once

#include <string>

class CaptionLabel;
class TVersionNoShort;

/// The version component as the main window configures it (version 2.1d, build 25), so
/// that every front end shows the same version texts.
void ConfigureMainWindowVersion(TVersionNoShort& version, CaptionLabel* versionLabel = nullptr);

/// "Version " + the version without prefix, as the main window's version label reads.
std::string MainWindowVersionLabel();

/// The copyright message of the main window's notice line.
std::string MainWindowCopyright();
