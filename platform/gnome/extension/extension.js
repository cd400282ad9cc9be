// The Shell's side of Brumelis on GNOME: the focused window, its visible
// frame and their changes, keep above, opacity and activation, told to the
// running Brumelis alone over one small D-Bus interface on the Shell's own
// connection (org.gnome.Shell). A Wayland client can read none of this.
//
// Only the installed brumelis is served: the caller's process, found
// through the bus (a pidfd where the bus gives one), must run the very file
// installed at the path fixed when the package was built, owned by the
// owner fixed then and writable by no one else (docs/design.md, "GNOME
// (Wayland)", says what this does not stop). Only the focused window is ever
// named or changed; signals go to the callers served (unicast), never to the
// whole bus. This is the GNOME 45+ form; the build writes the 43/44 form
// from it, changing only the import and export lines, and fills in the
// binary's path and owner.
import GLib from 'gi://GLib';
import Gio from 'gi://Gio';
import Meta from 'gi://Meta';
import Shell from 'gi://Shell';
import * as Main from 'resource:///org/gnome/shell/ui/main.js';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

const kPath = '/example/zolvec/Brumelis';
const kInterface = 'example.zolvec.Brumelis1';
// Raised whenever the interface grows: the program tells the user that an
// older copy still runs until the next log-in.
const kVersion = 3;
const kInstalledBinary = '@BRUMELIS_INSTALLED_BINARY@';
const kBinaryOwner = @BRUMELIS_BINARY_OWNER@;
const kNotFocused = `${kInterface}.Error.NotFocused`;
const kUuid = '@UUID@';
const kXml = `<node><interface name="${kInterface}">
  <method name="Version"><arg direction="out" type="u" name="version"/></method>
  <method name="Follow">
    <arg direction="out" type="u" name="window"/>
    <arg direction="out" type="(iiii)" name="frame"/>
  </method>
  <method name="KeepAbove"><arg type="u" name="window"/><arg type="b" name="above"/></method>
  <method name="SetOpacity"><arg type="u" name="window"/><arg type="y" name="opacity"/></method>
  <method name="Activate"><arg type="u" name="window"/></method>
  <method name="TakeKey"><arg type="u" name="shortcut"/><arg type="s" name="accelerator"/></method>
  <method name="Stage"><arg direction="out" type="(ii)" name="size"/></method>
  <signal name="Focus"><arg type="u" name="window"/><arg type="(iiii)" name="frame"/></signal>
  <signal name="Frame"><arg type="u" name="window"/><arg type="(iiii)" name="frame"/></signal>
  <signal name="Key"><arg type="u" name="shortcut"/></signal>
</interface></node>`;

// The process a pidfd names, from the kernel's own record of it; -1 once it
// has ended, 0 when it cannot be read.
function pidOf(pidfd) {
    const [, bytes] = GLib.file_get_contents(`/proc/self/fdinfo/${pidfd}`);
    const match = /^Pid:\s*(-?\d+)$/m.exec(new TextDecoder().decode(bytes));
    return match ? Number(match[1]) : 0;
}

const kIdentity = 'standard::type,unix::device,unix::inode,unix::uid,unix::mode,unix::nlink';

// Whether the process runs the installed file. /proc/PID/exe leads to the
// file the process runs even once an update has replaced it on disk (its
// link then reads "PATH (deleted)"): that file must be the installed one
// (the same file as the path's, or the one unlinked from that path), owned
// by the owner fixed at build time and writable by no one else.
function runsInstalledBinary(pid) {
    const exe = `/proc/${pid}/exe`;
    const running = Gio.File.new_for_path(exe).query_info(kIdentity, Gio.FileQueryInfoFlags.NONE, null);
    const link = GLib.file_read_link(exe);
    if (running.get_file_type() !== Gio.FileType.REGULAR ||
        running.get_attribute_uint32('unix::uid') !== kBinaryOwner ||
        (running.get_attribute_uint32('unix::mode') & 0o022) !== 0)
        return false;
    if (link === `${kInstalledBinary} (deleted)`)
        return running.get_attribute_uint32('unix::nlink') === 0;
    if (link !== kInstalledBinary)
        return false;
    const installed = Gio.File.new_for_path(kInstalledBinary).query_info(kIdentity,
        Gio.FileQueryInfoFlags.NOFOLLOW_SYMLINKS, null);
    return installed.get_attribute_uint32('unix::device') === running.get_attribute_uint32('unix::device') &&
        installed.get_attribute_uint64('unix::inode') === running.get_attribute_uint64('unix::inode');
}

// The caller's credentials as the bus gives them (a{sv}): with a pidfd, the
// process it names, checked to be still alive once its file was read, so
// that a process id reused meanwhile cannot pass for it.
function callerIsInstalled(credentials, fdList) {
    const fds = fdList ? fdList.steal_fds() : [];
    try {
        const handle = credentials.ProcessFD?.unpack();
        const pidfd = handle !== undefined ? fds[handle] : undefined;
        const pid = pidfd !== undefined ? pidOf(pidfd) : credentials.ProcessID?.unpack();
        if (!(pid > 0) || !runsInstalledBinary(pid))
            return false;
        return pidfd === undefined || pidOf(pidfd) === pid;
    } finally {
        for (const fd of fds)
            GLib.close(fd);
    }
}

function frameOf(window) {
    const rect = window.get_frame_rect();
    return new GLib.Variant('(iiii)', [rect.x, rect.y, rect.width, rect.height]);
}

// Runs `callback` once, just before the Shell next paints (Mutter 44 moved
// its laters onto the compositor); answers what cancels it.
function beforeNextPaint(callback) {
    const laters = global.compositor?.get_laters?.();
    const once = () => {
        callback();
        return GLib.SOURCE_REMOVE;
    };
    if (laters) {
        const id = laters.add(Meta.LaterType.BEFORE_REDRAW, once);
        return () => laters.remove(id);
    }
    const id = Meta.later_add(Meta.LaterType.BEFORE_REDRAW, once);
    return () => Meta.later_remove(id);
}

// The stage's size in the Shell's pixels (logical ones where monitors are
// scaled in Mutter's logical layout): Xwayland's screen divided by it says
// how many X11 pixels make one of them (Mutter 47 and later scale X11
// coordinates by the highest monitor scale, rounded up).
function stageSize() {
    return new GLib.Variant('((ii))', [[global.screen_width, global.screen_height]]);
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

const kKeysSchema = 'org.gnome.shell.extensions.brumelis';
const kHeld = `${kInterface}.Error.Held`;
const kNoSuchKey = `${kInterface}.Error.NoSuchKey`;
// Where the desktop's own bindings are: Mutter's, the Shell's, the settings
// daemon's, and the user's own shortcuts (custom keybindings).
const kBindingSchemas = ['org.gnome.desktop.wm.keybindings', 'org.gnome.shell.keybindings',
    'org.gnome.mutter.keybindings', 'org.gnome.mutter.wayland.keybindings',
    'org.gnome.settings-daemon.plugins.media-keys'];
const kCustomBindings = 'org.gnome.settings-daemon.plugins.media-keys.custom-keybinding';
const kModifierNames = {primary: 'control', ctrl: 'control', control: 'control', shift: 'shift',
    alt: 'alt', mod1: 'alt', super: 'super', mod4: 'super'};

// An accelerator as text that compares: its modifiers by one name each,
// sorted, then its key in lower case; empty for none.
function chordOf(accelerator) {
    const modifiers = new Set();
    const key = accelerator.replace(/<([^>]+)>/g, (_, name) => {
        modifiers.add(kModifierNames[name.toLowerCase()] ?? name.toLowerCase());
        return '';
    });
    return key ? [...[...modifiers].sort(), key.toLowerCase()].join('+') : '';
}

// The accelerators a settings key holds (as, or s in older schemas).
function acceleratorsOf(settings, key) {
    const value = settings.get_value(key);
    const type = value.get_type_string();
    return type === 'as' ? value.deepUnpack() : type === 's' ? [value.deepUnpack()] : [];
}

// Every chord the desktop binds now. Mutter would let a later binding
// replace an earlier one without a word, so they are read here first.
function desktopChords() {
    const source = Gio.SettingsSchemaSource.get_default();
    const chords = new Set();
    const add = (settings, keys) => {
        for (const key of keys)
            acceleratorsOf(settings, key).forEach(accelerator => chords.add(chordOf(accelerator)));
    };
    for (const id of kBindingSchemas.filter(schema => source.lookup(schema, true))) {
        const settings = new Gio.Settings({schema_id: id});
        add(settings, settings.settings_schema.list_keys().filter(key => key !== 'custom-keybindings'));
        if (id.endsWith('media-keys') && source.lookup(kCustomBindings, true)) {
            for (const path of settings.get_strv('custom-keybindings'))
                add(new Gio.Settings({schema_id: kCustomBindings, path}), ['binding']);
        }
    }
    chords.delete('');
    return chords;
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
                if (owner === '') {
                    this._served.delete(name);
                    this._keysCallerGone(name);
                }
            });
        this._focusSignal = global.display.connect('notify::focus-window', () => this._follow());
        this._follow();
        this._keys = new Map();
    }

    disable() {
        this._keysDisable();
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
        this._cancelFrame?.();
        this._cancelFrame = null;
        this._focused = null;
    }

    _follow() {
        this._unwatch();
        const window = global.display.focus_window;
        if (window) {
            this._focused = window;
            // Told as it will be painted: Mutter 43, moving a Wayland window
            // onto a monitor of another scale, puts it back where it was
            // and forward again before painting it, and the tile followed
            // that back to the old corner.
            const moved = () => {
                this._cancelFrame ??= beforeNextPaint(() => {
                    this._cancelFrame = null;
                    this._emit('Frame', new GLib.Variant('(u(iiii))',
                        [window.get_stable_sequence(), frameOf(window).deepUnpack()]));
                });
            };
            this._windowSignals = [
                window.connect('position-changed', moved),
                window.connect('size-changed', moved),
            ];
        }
        this._emit('Focus', this._state());
    }

    _state() {
        const window = this._focused;
        if (!window)
            return new GLib.Variant('(u(iiii))', [0, [0, 0, 0, 0]]);
        return new GLib.Variant('(u(iiii))',
            [window.get_stable_sequence(), frameOf(window).deepUnpack()]);
    }

    _emit(name, parameters) {
        for (const client of this._served)
            Gio.DBus.session.emit_signal(client, kPath, kInterface, name, parameters);
    }

    // Asks the bus who the caller is and checks the file it runs.
    _check(sender, then) {
        if (this._served.has(sender)) {
            then(true);
            return;
        }
        Gio.DBus.session.call_with_unix_fd_list('org.freedesktop.DBus', '/org/freedesktop/DBus',
            'org.freedesktop.DBus', 'GetConnectionCredentials', new GLib.Variant('(s)', [sender]),
            new GLib.VariantType('(a{sv})'), Gio.DBusCallFlags.NONE, 1000, null, null,
            (bus, result) => {
                let allowed = false;
                try {
                    const [reply, fdList] = bus.call_with_unix_fd_list_finish(result);
                    allowed = callerIsInstalled(reply.deepUnpack()[0], fdList);
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
                    'Only the installed Brumelis is served here');
                return;
            }
            const args = parameters.deepUnpack();
            if (method === 'Version') {
                invocation.return_value(new GLib.Variant('(u)', [kVersion]));
                return;
            }
            if (method === 'Follow') {
                invocation.return_value(this._state());
                return;
            }
            if (method === 'TakeKey') {
                this._takeKey(sender, args, invocation);
                return;
            }
            if (method === 'Stage') {
                invocation.return_value(stageSize());
                return;
            }
            const window = this._focused;
            if (!window || window.get_stable_sequence() !== args[0]) {
                // Only the focused window is ever changed: a window that went or
                // lost the focus meanwhile is left as it is, and the caller told.
                invocation.return_dbus_error(kNotFocused, 'That window no longer has the focus');
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
    }
    // The keys: each chord of the extension's schema (schemas/, compiled
    // with the extension; the user changes them with gsettings or dconf) is
    // bound when the program asks, by its default accelerator, for the Shell's
    // normal mode only (never on the lock screen). A press goes to that
    // caller alone, as Key; the binding goes with the caller, or when the
    // extension is disabled. A chord the desktop binds is left to it.
    _keySettingsOf() {
        if (!this._keySettings) {
            const path = Main.extensionManager.lookup(kUuid)?.path;
            const schemas = path ? Gio.SettingsSchemaSource.new_from_directory(`${path}/schemas`,
                Gio.SettingsSchemaSource.get_default(), false) : null;
            const schema = schemas?.lookup(kKeysSchema, false);
            this._keySettings = schema ? new Gio.Settings({settings_schema: schema}) : null;
        }
        return this._keySettings;
    }

    _takeKey(sender, [shortcut, accelerator], invocation) {
        let settings = null;
        try {
            settings = this._keySettingsOf();
        } catch (e) {
            settings = null;
        }
        const name = settings?.settings_schema.list_keys().find(
            key => settings.get_default_value(key).deepUnpack().includes(accelerator));
        if (!name) {
            invocation.return_dbus_error(kNoSuchKey, `No key of the schema is ${accelerator} by default`);
            return;
        }
        const taken = this._keys.get(name);
        if (taken?.owner === sender) {
            taken.shortcut = shortcut;
            invocation.return_value(null);
            return;
        }
        const held = desktopChords();
        if (taken || settings.get_strv(name).some(chord => held.has(chordOf(chord))) ||
            Main.wm.addKeybinding(name, settings, Meta.KeyBindingFlags.IGNORE_AUTOREPEAT,
                Shell.ActionMode.NORMAL, () => this._pressed(name)) === Meta.KeyBindingAction.NONE) {
            invocation.return_dbus_error(kHeld, `${accelerator} is bound by another program`);
            return;
        }
        this._keys.set(name, {owner: sender, shortcut});
        invocation.return_value(null);
    }

    _pressed(name) {
        const key = this._keys?.get(name);
        if (key) {
            Gio.DBus.session.emit_signal(key.owner, kPath, kInterface, 'Key',
                new GLib.Variant('(u)', [key.shortcut]));
        }
    }

    _keysCallerGone(caller) {
        for (const [name, key] of this._keys ?? []) {
            if (key.owner === caller) {
                Main.wm.removeKeybinding(name);
                this._keys.delete(name);
            }
        }
    }

    _keysDisable() {
        for (const name of this._keys?.keys() ?? [])
            Main.wm.removeKeybinding(name);
        this._keys = null;
        this._keySettings = null;
    }
}

