#include "widgets/TaskbarHider.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#ifdef QVRL_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <vector>

#include <QtGui/qguiapplication_platform.h>

namespace {

constexpr std::uint32_t kNetWmStateRemove = 0;
constexpr std::uint32_t kNetWmStateAdd = 1;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(qstrlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : XCB_ATOM_NONE;
    free(reply);
    return atom;
}

xcb_connection_t* X11Connection() {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                                   : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

// An unmapped window carries the state in its _NET_WM_STATE property, which the window
// manager reads when it maps the window; a mapped one asks the window manager through a
// client message to the root window (EWMH).
void SetSkipTaskbar(xcb_connection_t* connection, xcb_window_t window, bool skip) {
    const xcb_atom_t state = Atom(connection, "_NET_WM_STATE");
    const xcb_atom_t skipTaskbar = Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    if (state == XCB_ATOM_NONE || skipTaskbar == XCB_ATOM_NONE)
        return;

    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, state, XCB_ATOM_ATOM, 0, 1024),
        nullptr);
    std::vector<xcb_atom_t> atoms;
    if (reply != nullptr && reply->type == XCB_ATOM_ATOM && reply->format == 32) {
        const auto* data = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        atoms.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    free(reply);
    std::erase(atoms, skipTaskbar);
    if (skip)
        atoms.push_back(skipTaskbar);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, state, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(atoms.size()), atoms.data());

    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = state;
    message.data.data32[0] = skip ? kNetWmStateAdd : kNetWmStateRemove;
    message.data.data32[1] = skipTaskbar;
    message.data.data32[3] = 1;  // a normal application
    xcb_send_event(connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

}  // namespace
#endif

TaskbarHider::TaskbarHider(QObject* parent) : QObject(parent) {}

TaskbarHider::~TaskbarHider() {
    if (hiding_ && qApp != nullptr)
        qApp->removeEventFilter(this);
}

bool TaskbarHider::Supported() {
#ifdef QVRL_HAVE_XCB
    return X11Connection() != nullptr;
#else
    return false;
#endif
}

void TaskbarHider::SetHiding(bool hiding) {
    if (hiding == hiding_ || qApp == nullptr)
        return;
    hiding_ = hiding;
    if (hiding_)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            Apply(window, hiding_);
    }
}

bool TaskbarHider::eventFilter(QObject* watched, QEvent* event) {
    // Show arrives before the window is mapped, while its state can still be set directly.
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow())
            Apply(widget, true);
    }
    return false;
}

void TaskbarHider::Apply(QWidget* window, bool skip) {
    // Menus, tooltips and other pop-ups never have task-bar buttons.
    const Qt::WindowType type = window->windowType();
    if (type != Qt::Window && type != Qt::Dialog)
        return;
#ifdef QVRL_HAVE_XCB
    if (xcb_connection_t* connection = X11Connection(); connection != nullptr)
        SetSkipTaskbar(connection, static_cast<xcb_window_t>(window->winId()), skip);
#else
    (void)skip;
#endif
}
