#include "platform/X11Desktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <thread>

struct X11Desktop::Connection {
    Display* display = nullptr;
    ~Connection()
    {
        if (display)
            XCloseDisplay(display);
    }
};

namespace {

Atom Intern(Display* display, const char* name)
{
    return XInternAtom(display, name, False);
}

// Reads a property as raw items; `format` 32 items arrive as longs, as Xlib delivers them.
template <typename Item> std::vector<Item> Property(Display* display, Window window, Atom property, Atom type)
{
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<Item> items;
    if (XGetWindowProperty(
            display, window, property, 0, 1 << 16, False, type, &actualType, &format, &count, &after, &data)
            == Success
        && data) {
        if (actualType == type)
            items.assign(reinterpret_cast<Item*>(data), reinterpret_cast<Item*>(data) + count);
        XFree(data);
    }
    return items;
}

// Windows of other programs come and go between our requests; Xlib's default handler
// would end the whole program over a window that just closed. The failed request's
// result (an empty property, a false status) says enough.
int IgnoreError(Display*, XErrorEvent*)
{
    return 0;
}
}

std::unique_ptr<X11Desktop> X11Desktop::Open()
{
    XSetErrorHandler(IgnoreError);
    auto connection = std::make_unique<Connection>();
    connection->display = XOpenDisplay(nullptr);
    if (!connection->display)
        return nullptr;
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(connection->display, &event, &error, &major, &minor))
        return nullptr;
    return std::unique_ptr<X11Desktop>(new X11Desktop(std::move(connection)));
}

X11Desktop::X11Desktop(std::unique_ptr<Connection> connection)
    : m_x(std::move(connection))
{
}

X11Desktop::~X11Desktop() = default;

X11Desktop::WindowId X11Desktop::Root() const
{
    return DefaultRootWindow(m_x->display);
}

std::vector<X11Desktop::WindowId> X11Desktop::StackingOrder() const
{
    Display* d = m_x->display;
    std::vector<WindowId> bottomFirst
        = Property<unsigned long>(d, Root(), Intern(d, "_NET_CLIENT_LIST_STACKING"), XA_WINDOW);
    return { bottomFirst.rbegin(), bottomFirst.rend() };
}

std::optional<X11Desktop::WindowId> X11Desktop::ActiveWindow() const
{
    Display* d = m_x->display;
    std::vector<unsigned long> active
        = Property<unsigned long>(d, Root(), Intern(d, "_NET_ACTIVE_WINDOW"), XA_WINDOW);
    if (active.empty() || active.front() == None)
        return std::nullopt;
    return active.front();
}

std::string X11Desktop::Title(WindowId window) const
{
    Display* d = m_x->display;
    std::vector<char> name = Property<char>(d, window, Intern(d, "_NET_WM_NAME"), Intern(d, "UTF8_STRING"));
    if (name.empty())
        name = Property<char>(d, window, XA_WM_NAME, XA_STRING);
    return { name.begin(), name.end() };
}

std::string X11Desktop::ClassName(WindowId window) const
{
    XClassHint hint {};
    if (!XGetClassHint(m_x->display, window, &hint))
        return {};
    std::string name = hint.res_class ? hint.res_class : "";
    XFree(hint.res_name);
    XFree(hint.res_class);
    return name;
}

bool X11Desktop::IsShown(WindowId window) const
{
    XWindowAttributes attributes {};
    return XGetWindowAttributes(m_x->display, window, &attributes) && attributes.map_state == IsViewable;
}

bool X11Desktop::Activate(WindowId window)
{
    // The desktop has no frame to raise; keys go to whatever has the focus there.
    if (window == Root())
        return true;
    Display* d = m_x->display;
    XMapRaised(d, window);
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = Intern(d, "_NET_ACTIVE_WINDOW");
    event.xclient.format = 32;
    event.xclient.data.l[0] = 2; // the request comes from a tool acting for the user
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, Root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(d);
    for (int i = 0; i < 100; ++i) {
        if (ActiveWindow() == window)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

bool X11Desktop::SendKey(std::uint32_t keysym, bool down)
{
    KeyCode code = XKeysymToKeycode(m_x->display, keysym);
    if (code == 0)
        return false;
    XTestFakeKeyEvent(m_x->display, code, down ? True : False, CurrentTime);
    return true;
}

void X11Desktop::Flush()
{
    XSync(m_x->display, False);
}
