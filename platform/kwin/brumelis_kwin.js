// Runs inside KWin for one running Brumelis, whose unique D-Bus name is
// OWNER: reports the active window to it and carries out the changes it
// asks for, on the active window only. It talks to nobody else and listens
// to nobody else: commands are the answers to its own calls to OWNER, a
// name no other connection can ever own. Once OWNER stops answering, the
// script unloads itself.
var owner = "{{OWNER}}";
var token = "{{TOKEN}}";
var pluginName = "{{NAME}}";
var ownPid = {{PID}};
var path = "{{PATH}}";
var iface = "{{INTERFACE}}";

// Plasma 6 renamed clients to windows.
var six = workspace.activeWindow !== undefined;
function active() {
    return six ? workspace.activeWindow : workspace.activeClient;
}
// The program's own toolbar, a layer surface KWin lists among its windows
// (as a normal one, on 5.27) that skips the task bar and takes no input,
// is never reported nor acted on.
function ours(window) {
    return window && window.pid === ownPid && window.skipTaskbar && !window.wantsInput;
}
function idOf(window) {
    return window ? String(window.internalId) : "";
}

var watched = null;
// Everything goes as text: one signature whatever numbers KWin's engine
// makes of a geometry (whole on 5.27, fractional on Plasma 6). Only what
// the program uses goes: no title, nothing of other windows.
function report() {
    var window = watched;
    if (!window) {
        callDBus(owner, path, iface, "Window", token, "", "0", "0", "0", "0");
        return;
    }
    var frame = window.frameGeometry;
    callDBus(owner, path, iface, "Window", token, idOf(window), String(frame.x), String(frame.y),
             String(frame.width), String(frame.height));
}
function follow(window) {
    // A window being closed may lose its signals before KWin says it is
    // gone: without them there is nothing to disconnect.
    if (watched && watched.frameGeometryChanged) watched.frameGeometryChanged.disconnect(report);
    watched = window;
    if (watched) watched.frameGeometryChanged.connect(report);
    report();
}
// A click on the toolbar may make KWin give its surface the focus (first
// none, then the surface): the window before it stays the one followed. So
// "none" is only told once KWin has settled on it.
var settle = new QTimer();
settle.singleShot = true;
settle.interval = 0;
settle.timeout.connect(function () {
    if (!active()) follow(null);
});
// KWin rounds the opacity of the windows whose activation changes to whole
// percents (as its window rules keep it): what the program asked for
// (129/255, not 51 %) is put back, unless someone else has changed it since.
var asked = {};
function putOpacityBack() {
    for (var id in asked) {
        var window = find(id);
        if (window && window.opacity !== asked[id] &&
            window.opacity === Math.round(asked[id] * 100) / 100)
            window.opacity = asked[id];
    }
}
function activated(window) {
    putOpacityBack();
    watch(window);
}
function watch(window) {
    if (!window) settle.start();
    else if (!ours(window)) follow(window);
}
function removed(window) {
    if (window === watched) watched = null;
    delete asked[idOf(window)];
    callDBus(owner, path, iface, "Closed", token, idOf(window));
}

// A command names the window it is meant for: one that is no longer the
// active window is left alone. A click on the toolbar may make KWin 5.27
// activate its surface: the window active before it still counts then, and
// "activate" gives the focus back to it (from the program's own surface, or
// from none, never from another window).
function find(id) {
    var all = six ? workspace.windowList() : workspace.clientList();
    for (var i = 0; i < all.length; ++i) {
        if (idOf(all[i]) === id) return all[i];
    }
    return null;
}
function carryOut(command, id, value) {
    var current = active();
    var focusOurs = !current || ours(current);
    if (command === "activate") {
        var target = find(id);
        if (target && focusOurs && target === watched) {
            if (six) workspace.activeWindow = target;
            else workspace.activeClient = target;
        }
        return;
    }
    // A script loaded again while our surface had the focus has seen no
    // window activated yet: the program's target is the one it names.
    if (focusOurs) current = watched || find(id);
    if (!current || idOf(current) !== id) return;
    if (command === "above") current.keepAbove = value > 0.5;
    if (command === "opacity") {
        current.opacity = value;
        asked[id] = value;
    }
}

// The toolbar's keys: global shortcuts of KWin's (kept by kglobalaccel under
// its "kwin" component, changed in Plasma's shortcut settings). A press only
// tells the program which one; it acts as the mouse would.
function takeKey(detail, number) {
    var parts = detail.split("\n");  // name, chord, text
    if (parts.length !== 3) return;
    registerShortcut(parts[0], parts[2], parts[1], function () {
        callDBus(owner, path, iface, "Key", token, String(number));
    });
}

var answered = Date.now();
function unload() {
    callDBus("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting", "unloadScript", pluginName);
}
// One call stays open: the program answers it when a command waits (or
// with nothing after a while, so that it never times out).
function next() {
    callDBus(owner, path, iface, "NextCommand", token, function (command, id, value) {
        answered = Date.now();
        if (command === "quit") {
            unload();
            return;
        }
        if (command === "key") takeKey(id, value);
        else if (command) carryOut(command, id, value);
        next();
    });
}
// An unanswered call (the program gone, its name with it) leaves no
// callback to run: a timer notices the silence.
var alive = new QTimer();
alive.interval = 10000;
alive.timeout.connect(function () {
    if (Date.now() - answered > 30000) unload();
});
alive.start();

if (six) {
    workspace.windowActivated.connect(activated);
    workspace.windowRemoved.connect(removed);
} else {
    workspace.clientActivated.connect(activated);
    workspace.clientRemoved.connect(removed);
}
watch(active());
next();
