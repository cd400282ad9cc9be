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
var path = "/org/brumelis/KWin";
var iface = "org.brumelis.KWinScript";

// Plasma 6 renamed clients to windows.
var six = workspace.activeWindow !== undefined;
function active() {
    return six ? workspace.activeWindow : workspace.activeClient;
}
// The program's own surfaces (the toolbar, a layer surface KWin lists
// among its windows) are never reported nor acted on.
function ours(window) {
    return window && window.pid === ownPid && !window.normalWindow && !window.dialog;
}
function idOf(window) {
    return window ? String(window.internalId) : "";
}

var watched = null;
// Everything goes as text: one signature whatever numbers KWin's engine
// makes of a geometry (whole on 5.27, fractional on Plasma 6).
function report() {
    var window = active();
    if (ours(window)) return;
    if (!window) {
        callDBus(owner, path, iface, "Window", token, "", "0", "0", "0", "0", "");
        return;
    }
    var frame = window.frameGeometry;
    callDBus(owner, path, iface, "Window", token, idOf(window), String(frame.x), String(frame.y),
             String(frame.width), String(frame.height), String(window.caption));
}
function watch(window) {
    if (ours(window)) return;
    if (watched) {
        watched.frameGeometryChanged.disconnect(report);
        watched.captionChanged.disconnect(report);
    }
    watched = window;
    if (watched) {
        watched.frameGeometryChanged.connect(report);
        watched.captionChanged.connect(report);
    }
    report();
}
function removed(window) {
    if (window === watched) watched = null;
    callDBus(owner, path, iface, "Closed", token, idOf(window));
}

// A command names the window it is meant for: one that is no longer the
// active window is left alone. "activate" only gives the focus back from
// the program's own window (or from none) to the window it names.
function find(id) {
    var all = six ? workspace.windowList() : workspace.clientList();
    for (var i = 0; i < all.length; ++i) {
        if (idOf(all[i]) === id) return all[i];
    }
    return null;
}
function carryOut(command, id, value) {
    var current = active();
    if (command === "activate") {
        var target = find(id);
        if (target && (!current || ours(current))) {
            if (six) workspace.activeWindow = target;
            else workspace.activeClient = target;
        }
        return;
    }
    if (!current || idOf(current) !== id) return;
    if (command === "above") current.keepAbove = value > 0.5;
    if (command === "opacity") current.opacity = value;
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
        if (command) carryOut(command, id, value);
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
    workspace.windowActivated.connect(watch);
    workspace.windowRemoved.connect(removed);
} else {
    workspace.clientActivated.connect(watch);
    workspace.clientRemoved.connect(removed);
}
watch(active());
next();
