// The Shell's side of Brumelis on GNOME: the focused window, its visible
// frame and their changes, keep above, opacity and activation, told to the
// running Brumelis alone over one small D-Bus interface on the Shell's own
// connection (org.gnome.Shell). A Wayland client can read none of this.
//
// Only a caller whose executable is named brumelis is served, and only the
// focused window is ever named or changed; signals go to the callers served
// (unicast), never to the whole bus. This is the GNOME 45+ form; the build
// writes the 43/44 form from it, changing only the import and export lines.
import GLib from 'gi://GLib';
import Gio from 'gi://Gio';
import Meta from 'gi://Meta';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

const kPath = '/example/zolvec/Brumelis';
const kInterface = 'example.zolvec.Brumelis1';
const kProgram = 'brumelis';
const kXml = `<node><interface name="${kInterface}">
  <method name="Follow">
    <arg direction="out" type="u" name="window"/>
    <arg direction="out" type="(iiii)" name="frame"/>
    <arg direction="out" type="b" name="above"/>
  </method>
  <method name="KeepAbove"><arg type="u" name="window"/><arg type="b" name="above"/></method>
  <method name="SetOpacity"><arg type="u" name="window"/><arg type="y" name="opacity"/></method>
  <method name="Activate"><arg type="u" name="window"/></method>
  <signal name="Focus">
    <arg type="u" name="window"/><arg type="(iiii)" name="frame"/><arg type="b" name="above"/>
  </signal>
  <signal name="Frame"><arg type="u" name="window"/><arg type="(iiii)" name="frame"/></signal>
  <signal name="Above"><arg type="u" name="window"/><arg type="b" name="above"/></signal>
  <signal name="Opacity"><arg type="u" name="window"/><arg type="y" name="opacity"/></signal>
</interface></node>`;

function frameOf(window) {
    const rect = window.get_frame_rect();
    return new GLib.Variant('(iiii)', [rect.x, rect.y, rect.width, rect.height]);
}

// The actors that draw the window's content (the surface actors: their
// content is a shaped texture). Opacity set on the window actor
// (or the surface container) is painted, but Mutter still culls what lies
// beneath as if the window were opaque, so it blends with black; set on the
// surface actors it blends with what is behind.
function surfaceActors(actor, found = []) {
    for (const child of actor.get_children()) {
        if (child.get_content() instanceof Meta.ShapedTexture)
            found.push(child);
        surfaceActors(child, found);
    }
    return found;
}

export default class BrumelisExtension extends Extension {
    enable() {
        this._served = new Set();  // unique bus names whose executable passed
        this._focused = null;
        this._windowSignals = [];
        const info = Gio.DBusNodeInfo.new_for_xml(kXml);
        this._registration = Gio.DBus.session.register_object(
            kPath, info.interfaces[0], (...call) => this._onCall(...call), null, null);
        this._nameWatch = Gio.DBus.session.signal_subscribe(
            'org.freedesktop.DBus', 'org.freedesktop.DBus', 'NameOwnerChanged',
            '/org/freedesktop/DBus', null, Gio.DBusSignalFlags.NONE,
            (_c, _s, _p, _i, _n, args) => {
                const [name, , owner] = args.deepUnpack();
                if (owner === '')
                    this._served.delete(name);
            });
        this._focusSignal = global.display.connect('notify::focus-window', () => this._follow());
        this._follow();
    }

    disable() {
        global.display.disconnect(this._focusSignal);
        this._unwatch();
        Gio.DBus.session.signal_unsubscribe(this._nameWatch);
        Gio.DBus.session.unregister_object(this._registration);
        this._served = null;
    }

    _unwatch() {
        for (const id of this._windowSignals)
            this._focused.disconnect(id);
        this._windowSignals = [];
        this._focused = null;
    }

    _follow() {
        this._unwatch();
        const window = global.display.focus_window;
        if (window) {
            this._focused = window;
            const moved = () => this._emit('Frame', new GLib.Variant('(u(iiii))',
                [window.get_stable_sequence(), frameOf(window).deepUnpack()]));
            this._windowSignals = [
                window.connect('position-changed', moved),
                window.connect('size-changed', moved),
                window.connect('notify::above', () => this._emit('Above',
                    new GLib.Variant('(ub)', [window.get_stable_sequence(), window.above]))),
            ];
        }
        this._emit('Focus', this._state());
    }

    _state() {
        const window = this._focused;
        if (!window)
            return new GLib.Variant('(u(iiii)b)', [0, [0, 0, 0, 0], false]);
        return new GLib.Variant('(u(iiii)b)',
            [window.get_stable_sequence(), frameOf(window).deepUnpack(), window.above]);
    }

    _emit(name, parameters) {
        for (const client of this._served)
            Gio.DBus.session.emit_signal(client, kPath, kInterface, name, parameters);
    }

    // Asks the bus for the caller's process and reads its executable.
    _check(sender, then) {
        if (this._served.has(sender)) {
            then(true);
            return;
        }
        Gio.DBus.session.call('org.freedesktop.DBus', '/org/freedesktop/DBus',
            'org.freedesktop.DBus', 'GetConnectionUnixProcessID', new GLib.Variant('(s)', [sender]),
            new GLib.VariantType('(u)'), Gio.DBusCallFlags.NONE, 1000, null, (bus, result) => {
                let allowed = false;
                try {
                    const [pid] = bus.call_finish(result).deepUnpack();
                    const exe = GLib.file_read_link(`/proc/${pid}/exe`);
                    allowed = GLib.path_get_basename(exe) === kProgram;
                } catch (e) {
                    allowed = false;
                }
                if (allowed && this._served)
                    this._served.add(sender);
                then(allowed);
            });
    }

    _onCall(_connection, sender, _path, _interface, method, parameters, invocation) {
        this._check(sender, allowed => {
            if (!allowed || !this._served) {
                invocation.return_dbus_error('org.freedesktop.DBus.Error.AccessDenied',
                    'Only Brumelis is served here');
                return;
            }
            const args = parameters.deepUnpack();
            if (method === 'Follow') {
                invocation.return_value(this._state());
                return;
            }
            const window = this._focused;
            if (!window || window.get_stable_sequence() !== args[0]) {
                // Only the focused window is ever changed: a window that went or
                // lost the focus meanwhile is left as it is.
                invocation.return_value(null);
                return;
            }
            if (method === 'KeepAbove') {
                if (args[1])
                    window.make_above();
                else
                    window.unmake_above();
            } else if (method === 'SetOpacity') {
                this._setOpacity(window, args[1]);
            } else if (method === 'Activate') {
                window.activate(global.get_current_time());
            }
            invocation.return_value(null);
        });
    }

    _setOpacity(window, opacity) {
        const actor = window.get_compositor_private();
        if (!actor)
            return;
        for (const surface of surfaceActors(actor))
            surface.opacity = opacity;
        this._emit('Opacity', new GLib.Variant('(uy)', [window.get_stable_sequence(), opacity]));
    }
}
