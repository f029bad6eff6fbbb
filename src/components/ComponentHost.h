#pragma once

#include <string>

/// What a component needs from the program that runs it: the program's file name (a
/// version component writes its resource script only inside the design tool) and its
/// message boxes. The default host is the running program itself, with messages written
/// to standard error; the GUI supplies one that shows message boxes.
class ComponentHost {
public:
    virtual ~ComponentHost() = default;

    /// File name of the running program without its folder.
    virtual std::string ExecutableName() const;
    virtual void ShowMessage(const std::string& text);

    static ComponentHost& Default();
};
