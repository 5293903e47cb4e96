// ShowErrorBox: a small modal Xlib dialog (icon, wrapped text, OK button) for fatal errors.
#include "app/ErrorBox.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Layout in pixels.
const int Margin = 16;
const int IconSize = 32;
const int TextMaxWidth = 440;
const int ButtonWidth = 80;
const int ButtonHeight = 26;

// A SIGTERM or SIGINT while the box waits: the handler sets the flag and writes
// a byte into the pipe, which wakes the poll that waits for X events. Both are
// live only inside ShowErrorBox.
volatile sig_atomic_t interrupted = 0;
int wakePipe[2] = {-1, -1};

void OnSignal(int)
{
    const int savedErrno = errno; // the interrupted poll reads it
    interrupted = 1;
    if (wakePipe[1] >= 0) {
        const char byte = 1;
        if (write(wakePipe[1], &byte, 1) < 0) {
            // The pipe is full, so the poll wakes anyway.
        }
    }
    errno = savedErrno;
}

// Installs OnSignal for SIGTERM and SIGINT for the box's lifetime.
class CSignalGuard {
public:
    CSignalGuard()
    {
        interrupted = 0;
        if (pipe(wakePipe) == 0) {
            for (int fd : wakePipe)
                fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        } else {
            wakePipe[0] = wakePipe[1] = -1; // the flag alone: poll returns EINTR
        }
        struct sigaction action;
        std::memset(&action, 0, sizeof action);
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        sigaction(SIGTERM, &action, &oldTerm);
        sigaction(SIGINT, &action, &oldInt);
    }
    ~CSignalGuard()
    {
        sigaction(SIGTERM, &oldTerm, nullptr);
        sigaction(SIGINT, &oldInt, nullptr);
        for (int& fd : wakePipe) {
            if (fd >= 0)
                close(fd);
            fd = -1;
        }
    }
    CSignalGuard(const CSignalGuard&) = delete;
    CSignalGuard& operator=(const CSignalGuard&) = delete;

private:
    struct sigaction oldTerm, oldInt;
};

struct Box {
    Display* dpy = nullptr;
    Window win = 0;
    GC gc = nullptr;
    XFontStruct* font = nullptr;
    bool ownFont = false; // loaded by us (freed) or queried from the default GC
    std::string title;
    std::vector<std::string> lines;
    int width = 0, height = 0;
    int buttonX = 0, buttonY = 0;
    bool buttonDown = false;
    unsigned long red = 0, white = 0, black = 0, grey = 0, face = 0;
};

int TextWidth(const Box& box, const std::string& s)
{
    return XTextWidth(box.font, s.c_str(), static_cast<int>(s.size()));
}

// Splits at line feeds, then breaks lines at blanks (or mid-word when a word
// alone is too wide) so that none is wider than TextMaxWidth.
std::vector<std::string> WrapText(const Box& box, const std::string& text)
{
    std::vector<std::string> out;
    std::string::size_type start = 0;
    while (start <= text.size()) {
        std::string::size_type end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string rest = text.substr(start, end - start);
        while (TextWidth(box, rest) > TextMaxWidth) {
            std::string::size_type cut = rest.size();
            while (cut > 1 && TextWidth(box, rest.substr(0, cut)) > TextMaxWidth)
                --cut;
            const std::string::size_type blank = rest.rfind(' ', cut);
            if (blank != std::string::npos && blank > 0)
                cut = blank;
            out.push_back(rest.substr(0, cut));
            rest.erase(0, cut);
            if (!rest.empty() && rest[0] == ' ')
                rest.erase(0, 1);
        }
        out.push_back(rest);
        start = end + 1;
    }
    return out;
}

unsigned long NamedColour(Display* dpy, const char* name, unsigned long fallback)
{
    XColor exact, screen;
    const Colormap map = DefaultColormap(dpy, DefaultScreen(dpy));
    if (XAllocNamedColor(dpy, map, name, &screen, &exact))
        return screen.pixel;
    return fallback;
}

bool LoadFont(Box& box)
{
    const char* names[] = {"-misc-fixed-medium-r-normal--13-*-*-*-*-*-iso8859-1", "fixed"};
    for (const char* name : names) {
        box.font = XLoadQueryFont(box.dpy, name);
        if (box.font) {
            box.ownFont = true;
            return true;
        }
    }
    // The server's default font always exists.
    box.font = XQueryFont(box.dpy, XGContextFromGC(DefaultGC(box.dpy, DefaultScreen(box.dpy))));
    return box.font != nullptr;
}

void Layout(Box& box, const std::string& message)
{
    box.lines = WrapText(box, message);
    int textWidth = 0;
    for (const std::string& line : box.lines) {
        const int w = TextWidth(box, line);
        if (w > textWidth)
            textWidth = w;
    }
    const int lineHeight = box.font->ascent + box.font->descent;
    int textHeight = lineHeight * static_cast<int>(box.lines.size());
    if (textHeight < IconSize)
        textHeight = IconSize;
    box.width = Margin + IconSize + Margin + textWidth + Margin;
    if (box.width < 2 * Margin + ButtonWidth + 160)
        box.width = 2 * Margin + ButtonWidth + 160;
    box.height = Margin + textHeight + Margin + ButtonHeight + Margin;
    box.buttonX = (box.width - ButtonWidth) / 2;
    box.buttonY = box.height - Margin - ButtonHeight;
}

void SetWindowProperties(Box& box, Atom deleteAtom)
{
    Display* dpy = box.dpy;
    XStoreName(dpy, box.win, box.title.c_str());
    const Atom utf8 = XInternAtom(dpy, "UTF8_STRING", False);
    XChangeProperty(dpy, box.win, XInternAtom(dpy, "_NET_WM_NAME", False), utf8, 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(box.title.c_str()),
                    static_cast<int>(box.title.size()));
    XSetWMProtocols(dpy, box.win, &deleteAtom, 1);

    const Atom dialog = XInternAtom(dpy, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(dpy, box.win, XInternAtom(dpy, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&dialog), 1);
    const Atom modal = XInternAtom(dpy, "_NET_WM_STATE_MODAL", False);
    XChangeProperty(dpy, box.win, XInternAtom(dpy, "_NET_WM_STATE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&modal), 1);

    XSizeHints* hints = XAllocSizeHints();
    if (hints) {
        hints->flags = PMinSize | PMaxSize | PPosition;
        hints->min_width = hints->max_width = box.width;
        hints->min_height = hints->max_height = box.height;
        XSetWMNormalHints(dpy, box.win, hints);
        XFree(hints);
    }
    XClassHint* cls = XAllocClassHint();
    if (cls) {
        char name[] = "baizeline-error";
        char klass[] = "Baizeline";
        cls->res_name = name;
        cls->res_class = klass;
        XSetClassHint(dpy, box.win, cls);
        XFree(cls);
    }
}

bool CreateWindow(Box& box, Atom deleteAtom)
{
    Display* dpy = box.dpy;
    const int screen = DefaultScreen(dpy);
    box.white = WhitePixel(dpy, screen);
    box.black = BlackPixel(dpy, screen);
    box.red = NamedColour(dpy, "red3", box.black);
    box.grey = NamedColour(dpy, "grey55", box.black);
    box.face = NamedColour(dpy, "grey88", box.white);

    const int x = (DisplayWidth(dpy, screen) - box.width) / 2;
    const int y = (DisplayHeight(dpy, screen) - box.height) / 2;
    box.win = XCreateSimpleWindow(dpy, RootWindow(dpy, screen), x, y, box.width, box.height, 1,
                                  box.black, box.face);
    if (!box.win)
        return false;
    SetWindowProperties(box, deleteAtom);
    XSelectInput(dpy, box.win,
                 ExposureMask | KeyPressMask | ButtonPressMask | ButtonReleaseMask |
                     StructureNotifyMask);
    box.gc = XCreateGC(dpy, box.win, 0, nullptr);
    if (!box.gc)
        return false;
    XSetFont(dpy, box.gc, box.font->fid);
    return true;
}

void DrawIcon(Box& box, int x, int y)
{
    Display* dpy = box.dpy;
    XSetForeground(dpy, box.gc, box.red);
    XFillArc(dpy, box.win, box.gc, x, y, IconSize, IconSize, 0, 360 * 64);
    XSetForeground(dpy, box.gc, box.white);
    XSetLineAttributes(dpy, box.gc, 4, LineSolid, CapRound, JoinRound);
    const int a = IconSize / 4 + 1, b = IconSize - a;
    XDrawLine(dpy, box.win, box.gc, x + a, y + a, x + b, y + b);
    XDrawLine(dpy, box.win, box.gc, x + b, y + a, x + a, y + b);
    XSetLineAttributes(dpy, box.gc, 1, LineSolid, CapButt, JoinMiter);
}

void Redraw(Box& box)
{
    Display* dpy = box.dpy;
    XClearWindow(dpy, box.win);
    DrawIcon(box, Margin, Margin);

    XSetForeground(dpy, box.gc, box.black);
    const int lineHeight = box.font->ascent + box.font->descent;
    int y = Margin + box.font->ascent;
    for (const std::string& line : box.lines) {
        XDrawString(dpy, box.win, box.gc, 2 * Margin + IconSize, y, line.c_str(),
                    static_cast<int>(line.size()));
        y += lineHeight;
    }

    XSetForeground(dpy, box.gc, box.buttonDown ? box.grey : box.white);
    XFillRectangle(dpy, box.win, box.gc, box.buttonX, box.buttonY, ButtonWidth, ButtonHeight);
    XSetForeground(dpy, box.gc, box.black);
    XDrawRectangle(dpy, box.win, box.gc, box.buttonX, box.buttonY, ButtonWidth - 1,
                   ButtonHeight - 1);
    const int okWidth = XTextWidth(box.font, "OK", 2);
    XDrawString(dpy, box.win, box.gc, box.buttonX + (ButtonWidth - okWidth) / 2,
                box.buttonY + (ButtonHeight + box.font->ascent - box.font->descent) / 2, "OK", 2);
    XFlush(dpy);
}

bool InButton(const Box& box, int x, int y)
{
    return x >= box.buttonX && x < box.buttonX + ButtonWidth && y >= box.buttonY &&
           y < box.buttonY + ButtonHeight;
}

// Waits until an X event is queued (true) or a signal came (false).
bool WaitForEvent(Display* dpy)
{
    while (!XPending(dpy)) {
        if (interrupted)
            return false;
        pollfd fds[2] = {{ConnectionNumber(dpy), POLLIN, 0}, {wakePipe[0], POLLIN, 0}};
        const nfds_t count = wakePipe[0] >= 0 ? 2 : 1;
        if (poll(fds, count, -1) < 0 && errno != EINTR)
            return false; // cannot wait: end rather than spin
    }
    return !interrupted;
}

// Runs until the box is dismissed or a signal ends it.
void EventLoop(Box& box, Atom deleteAtom)
{
    for (;;) {
        if (!WaitForEvent(box.dpy))
            return;
        XEvent ev;
        XNextEvent(box.dpy, &ev);
        switch (ev.type) {
        case MapNotify:
            XSetInputFocus(box.dpy, box.win, RevertToParent, CurrentTime);
            break;
        case Expose:
            if (ev.xexpose.count == 0)
                Redraw(box);
            break;
        case KeyPress: {
            const KeySym key = XLookupKeysym(&ev.xkey, 0);
            if (key == XK_Return || key == XK_KP_Enter || key == XK_Escape || key == XK_space)
                return;
            break;
        }
        case ButtonPress:
            if (ev.xbutton.button == Button1 && InButton(box, ev.xbutton.x, ev.xbutton.y)) {
                box.buttonDown = true;
                Redraw(box);
            }
            break;
        case ButtonRelease:
            if (ev.xbutton.button == Button1 && box.buttonDown) {
                box.buttonDown = false;
                if (InButton(box, ev.xbutton.x, ev.xbutton.y))
                    return;
                Redraw(box);
            }
            break;
        case ClientMessage:
            if (static_cast<Atom>(ev.xclient.data.l[0]) == deleteAtom)
                return;
            break;
        default:
            break;
        }
    }
}

void Release(Box& box)
{
    if (box.gc)
        XFreeGC(box.dpy, box.gc);
    if (box.win)
        XDestroyWindow(box.dpy, box.win);
    if (box.font) {
        if (box.ownFont)
            XFreeFont(box.dpy, box.font);
        else
            XFreeFontInfo(nullptr, box.font, 1);
    }
    XCloseDisplay(box.dpy);
}

} // namespace

void ShowErrorBox(const char* caption, const char* message)
{
    // From the first line on, so that a signal before the box maps ends it too.
    CSignalGuard signals;
    const char* text = message ? message : "";
    Box box;
    box.title = caption ? caption : "Error";
    fprintf(stderr, "%s: %s\n", box.title.c_str(), text);
    fflush(stderr);

    box.dpy = XOpenDisplay(nullptr);
    if (!box.dpy)
        return;
    const Atom deleteAtom = XInternAtom(box.dpy, "WM_DELETE_WINDOW", False);
    if (LoadFont(box)) {
        Layout(box, text);
        if (CreateWindow(box, deleteAtom)) {
            XMapRaised(box.dpy, box.win);
            EventLoop(box, deleteAtom);
        }
    }
    Release(box);
}
