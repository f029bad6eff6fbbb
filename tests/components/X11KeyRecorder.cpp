// A window for the keystroke tests: titled by its first argument, it appends each key it
// receives (not the modifiers themselves) to the file named by its second argument, one
// keysym name a line, with "C-" when Control was held. On Ctrl+V it asks for the
// clipboard's text and, when an owner answers, appends "pasted: " and the text. Runs until
// killed.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 200, 100, 0, 0, 0);
    XStoreName(display, window, argv[1]);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
        XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
        reinterpret_cast<unsigned char*>(argv[1]), static_cast<int>(std::strlen(argv[1])));
    XClassHint hint { const_cast<char*>("recorder"), const_cast<char*>("KeyRecorder") };
    XSetClassHint(display, window, &hint);
    XSelectInput(display, window, KeyPressMask);
    XMapWindow(display, window);
    Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom pasted = XInternAtom(display, "TARVIK_PASTED", False);
    auto record = [&](const std::string& line) {
        if (FILE* out = std::fopen(argv[2], "a")) {
            std::fputs(line.c_str(), out);
            std::fclose(out);
        }
    };
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == SelectionNotify && event.xselection.property != None) {
            Atom type;
            int format;
            unsigned long items, left;
            unsigned char* data = nullptr;
            XGetWindowProperty(display, window, pasted, 0, 65536, True, AnyPropertyType, &type, &format,
                &items, &left, &data);
            if (data) {
                record("pasted: " + std::string(reinterpret_cast<char*>(data), items) + "\n");
                XFree(data);
            }
            continue;
        }
        if (event.type != KeyPress)
            continue;
        KeySym keysym = NoSymbol;
        char text[16];
        XLookupString(&event.xkey, text, sizeof text, &keysym, nullptr);
        if (IsModifierKey(keysym) || keysym == NoSymbol)
            continue;
        std::string line
            = (event.xkey.state & ControlMask ? "C-" : "") + std::string(XKeysymToString(keysym)) + "\n";
        record(line);
        if (line == "C-v\n")
            XConvertSelection(display, clipboard, utf8, pasted, window, event.xkey.time);
    }
}
