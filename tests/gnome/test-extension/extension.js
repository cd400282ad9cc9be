// What the end-to-end tests read and do in a headless GNOME Shell, where no
// other program may: the windows with their frames, focus, keep above and
// the opacity of their surfaces (none until Brumelis set one); every focus change since the start (the
// toolbar must never hold the focus, even for a moment); the window the
// Shell would give a click at a point; real pointer input through a Clutter
// virtual device; screenshots; the screen lock's session mode. Test-only: installed by scripts/gnome-env.sh,
// never shipped. Written as the product's extension is (the GNOME 45+ form;
// the build writes the 43/44 form with its make_forms.py).
import Clutter from 'gi://Clutter';
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import Meta from 'gi://Meta';
import Shell from 'gi://Shell';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';
import * as Main from 'resource:///org/gnome/shell/ui/main.js';

const kPath = '/example/zolvec/BrumelisTest';
const kXml = `<node><interface name="example.zolvec.BrumelisTest1">
  <method name="Ready">
    <arg direction="out" type="b"/><arg direction="out" type="s"/><arg direction="out" type="s"/>
  </method>
  <method name="Windows"><arg direction="out" type="a(usub(iiii)bi)"/></method>
  <method name="Focused"><arg direction="out" type="u"/></method>
  <method name="Monitors"><arg direction="out" type="a(iiii)"/></method>
  <method name="FocusLog"><arg direction="out" type="a(usu)"/></method>
  <method name="Pick">
    <arg direction="in" type="i"/><arg direction="in" type="i"/><arg direction="out" type="u"/>
  </method>
  <method name="Pointer">
    <arg direction="in" type="i" name="x"/><arg direction="in" type="i" name="y"/>
    <arg direction="in" type="u" name="button"/><arg direction="in" type="i" name="press"/>
  </method>
  <method name="Key"><arg direction="in" type="u" name="keyval"/><arg direction="in" type="b" name="press"/></method>
  <method name="Hold"><arg direction="in" type="s" name="accelerator"/></method>
  <method name="Move">
    <arg direction="in" type="u"/><arg direction="in" type="i"/><arg direction="in" type="i"/>
  </method>
  <method name="MoveResize">
    <arg direction="in" type="u"/><arg direction="in" type="(iiii)"/>
  </method>
  <method name="Actor">
    <arg direction="in" type="u"/><arg direction="out" type="s"/>
  </method>
  <method name="Activate"><arg direction="in" type="u"/></method>
  <method name="Lock"><arg direction="in" type="b" name="locked"/></method>
  <method name="LoadBrumelis"><arg direction="in" type="b" name="loaded"/><arg direction="out" type="b"/></method>
  <method name="Drag">
    <arg direction="in" type="u" name="window"/><arg direction="in" type="u" name="tile"/>
    <arg direction="in" type="(iiuu)" name="steps"/><arg direction="out" type="s"/>
  </method>
  <method name="Screenshot">
    <arg direction="in" type="(iiii)"/><arg direction="in" type="s"/><arg direction="out" type="b"/>
  </method>
</interface></node>`;

function windowOf(id) {
    return global.get_window_actors().map(a => a.meta_window).find(w => w.get_stable_sequence() === id);
}

function surfaces(actor, found = []) {
    for (const child of actor.get_children()) {
        if (child.get_content() instanceof Meta.ShapedTexture)
            found.push(child);
        surfaces(child, found);
    }
    return found;
}

export default class Tester extends Extension {
    enable() {
        this._log = [];
        // Windows Brumelis's extension has set an opacity on: the others
        // have none of their own (-2), though their surfaces read 255.
        this._faded = new Set();
        this._ready = false;
        const seat = Clutter.get_default_backend().get_default_seat();
        this._pointer = seat.create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
        this._keyboard = seat.create_virtual_device(Clutter.InputDeviceType.KEYBOARD_DEVICE);
        this._focus = global.display.connect('notify::focus-window', () => this._note());
        const start = () => {
            Main.overview.hide();
            this._ready = true;
        };
        if (Main.layoutManager._startingUp)
            this._startup = Main.layoutManager.connect('startup-complete', start);
        else
            start();
        this._dbus = Gio.DBusExportedObject.wrapJSObject(kXml, this);
        this._dbus.export(Gio.DBus.session, kPath);
    }

    disable() {
        this._dbus.unexport();
        global.display.disconnect(this._focus);
        if (this._startup)
            Main.layoutManager.disconnect(this._startup);
    }

    _note() {
        const w = global.display.focus_window;
        this._log.push(w ? [w.get_stable_sequence(), w.get_title() || '', w.get_pid()] : [0, '', 0]);
    }

    Ready() {
        return [this._ready && !Main.overview.visible, GLib.getenv('DISPLAY') || '',
            GLib.getenv('XAUTHORITY') || ''];
    }

    // Wraps the Brumelis extension's opacity setter (once it runs) to note
    // the windows it fades: setting 255 on an opaque window changes nothing
    // the stage could tell.
    _hookBrumelis() {
        const brumelis = Main.extensionManager.lookup('brumelis@zolvec.example')?.stateObj;
        if (!brumelis || brumelis._testHooked)
            return;
        const set = brumelis._setOpacity.bind(brumelis);
        brumelis._setOpacity = (window, opacity) => {
            this._faded.add(window.get_stable_sequence());
            set(window, opacity);
        };
        brumelis._testHooked = true;
    }

    // Bottom to top, as the Shell stacks them, read just before the next
    // paint: Mutter 43 may put a window moved onto a monitor of another
    // scale back for a moment, never painted there.
    WindowsAsync(params, invocation) {
        const answer = () => {
            invocation.return_value(new GLib.Variant('(a(usub(iiii)bi))', [this._windows()]));
            return GLib.SOURCE_REMOVE;
        };
        const laters = global.compositor?.get_laters?.();
        laters?.add(Meta.LaterType.BEFORE_REDRAW, answer) ?? Meta.later_add(Meta.LaterType.BEFORE_REDRAW, answer);
    }

    _windows() {
        this._hookBrumelis();
        return global.get_window_actors().map(actor => {
            const w = actor.meta_window;
            const id = w.get_stable_sequence();
            const r = w.get_frame_rect();
            const found = surfaces(actor);
            let opacity = found.length > 0 && found.every(c => c.opacity === found[0].opacity)
                ? found[0].opacity : -1;
            if (!this._faded.has(id))
                opacity = -2;
            return [id, w.get_title() || '', w.get_pid(), w.has_focus(),
                [r.x, r.y, r.width, r.height], w.above, opacity];
        });
    }

    Focused() {
        const w = global.display.focus_window;
        return w ? w.get_stable_sequence() : 0;
    }

    // Each monitor's place on the stage, in the Shell's order.
    Monitors() {
        const places = [];
        for (let i = 0; i < global.display.get_n_monitors(); i++) {
            const r = global.display.get_monitor_geometry(i);
            places.push([r.x, r.y, r.width, r.height]);
        }
        return places;
    }

    FocusLog() {
        return this._log;
    }

    Pick(x, y) {
        for (let a = global.stage.get_actor_at_pos(Clutter.PickMode.REACTIVE, x, y); a; a = a.get_parent()) {
            if (a instanceof Meta.WindowActor)
                return a.meta_window.get_stable_sequence();
        }
        return 0;
    }

    // press: 1 press, 0 release, -1 move only.
    Pointer(x, y, button, press) {
        const now = GLib.get_monotonic_time();
        this._pointer.notify_absolute_motion(now, x, y);
        if (press >= 0) {
            this._pointer.notify_button(now, button,
                press ? Clutter.ButtonState.PRESSED : Clutter.ButtonState.RELEASED);
        }
    }

    Key(keyval, press) {
        this._keyboard.notify_keyval(GLib.get_monotonic_time(), keyval,
            press ? Clutter.KeyState.PRESSED : Clutter.KeyState.RELEASED);
    }

    // Binds the accelerator to a Mutter action, as the user's settings
    // would (switch to the last workspace); none: its default back.
    Hold(accelerator) {
        const settings = new Gio.Settings({schema_id: 'org.gnome.desktop.wm.keybindings'});
        if (accelerator)
            settings.set_strv('switch-to-workspace-last', [accelerator]);
        else
            settings.reset('switch-to-workspace-last');
        Gio.Settings.sync();
    }

    MoveResize(id, [x, y, width, height]) {
        windowOf(id)?.move_resize_frame(true, x, y, width, height);
    }

    Move(id, x, y) {
        windowOf(id)?.move_frame(true, x, y);
    }

    // What the stage has of the window, for failure messages.
    Actor(id) {
        const actor = windowOf(id)?.get_compositor_private();
        if (!actor)
            return 'no actor';
        const [x, y] = actor.get_position();
        const [width, height] = actor.get_size();
        const above = global.get_window_actors().slice(global.get_window_actors().indexOf(actor) + 1)
            .map(a => a.meta_window.get_stable_sequence());
        return `actor at ${x},${y} ${width}x${height} visible ${actor.visible} mapped ${actor.mapped} ` +
            `reactive ${actor.reactive} opacity ${actor.opacity} frozen ${actor.is_frozen?.()} ` +
            `below ${above.join(' ')}`;
    }

    Activate(id) {
        windowOf(id)?.activate(global.get_current_time());
    }

    // The screen lock's session mode (this extension lists it, to pop it);
    // the windows it hides are shown, so that the toolbar can be clicked.
    Lock(locked) {
        if (locked && Main.sessionMode.currentMode !== 'unlock-dialog') {
            Main.sessionMode.pushMode('unlock-dialog');
            global.window_group.show();
            global.top_window_group.show();
        } else if (!locked && Main.sessionMode.currentMode === 'unlock-dialog') {
            Main.sessionMode.popMode('unlock-dialog');
        }
    }

    // Brumelis's extension taken out of the Shell, and loaded again, as the
    // Shell is at log-in before it reads its extensions, and then. True once
    // done: 45 and later unload and load asynchronously, so the caller asks
    // again until then.
    LoadBrumelis(loaded) {
        const manager = Main.extensionManager;
        const uuid = 'brumelis@zolvec.example';
        const extension = manager.lookup(uuid);
        let change = null;
        if (this._changing) {
            // one change at a time
        } else if (!loaded && extension) {
            this._brumelis = {dir: extension.dir, type: extension.type};
            change = manager.unloadExtension(extension);
        } else if (loaded && !extension && this._brumelis) {
            change = manager.loadExtension(manager.createExtensionObject(uuid, this._brumelis.dir,
                this._brumelis.type));
        }
        if (change instanceof Promise) {
            this._changing = true;
            change.finally(() => {
                this._changing = false;
            });
        }
        const now = manager.lookup(uuid);
        return loaded ? now?.state === 1 : !now;
    }

    // Drags the window in the Shell itself, steps (dx, dy, count, every ms)
    // moves, and says from the Shell's record of each painted frame how long
    // the tile was drawn off the window's corner (its staleness). Ends once
    // the tile has come to the last corner, or 2 s after the last move.
    DragAsync([id, tileId, [dx, dy, count, every]], invocation) {
        const window = windowOf(id), tile = windowOf(tileId);
        if (!window || !tile) {
            invocation.return_value(new GLib.Variant('(s)', ['no such window']));
            return;
        }
        const start = window.get_frame_rect();
        const moves = [[GLib.get_monotonic_time(), start.x, start.y]];
        // Where the tile's actor is from the corner when on it: 0, 0 for the
        // toolbar; the shadows' offset when the window is its own tile.
        const [x0, y0] = tile.get_compositor_private().get_position();
        const stale = [];
        let lastPaint = moves[0][0], longestGap = 0, worst = 0, worstAt = 0, gapAt = 0;
        const painted = global.stage.connect('after-paint', () => {
            const now = GLib.get_monotonic_time();
            let [x, y] = tile.get_compositor_private().get_position();
            x += start.x - x0;
            y += start.y - y0;
            let on = moves.length;
            while (on > 0 && (moves[on - 1][1] !== x || moves[on - 1][2] !== y))
                --on;
            stale.push(on === moves.length ? 0 : (now - moves[on][0]) / 1000);
            if (stale[stale.length - 1] >= worst) {
                worst = stale[stale.length - 1];
                worstAt = (now - moves[0][0]) / 1000;
            }
            if ((now - lastPaint) / 1000 > longestGap) {
                longestGap = (now - lastPaint) / 1000;
                gapAt = (now - moves[0][0]) / 1000;
            }
            lastPaint = now;
            const last = moves[moves.length - 1];
            if (moves.length > count && (on === moves.length || now - last[0] > 2000000))
                finish();
        });
        let step = 0;
        let timer = GLib.timeout_add(GLib.PRIORITY_DEFAULT, every, () => {
            ++step;
            moves.push([GLib.get_monotonic_time(), start.x + dx * step, start.y + dy * step]);
            window.move_frame(true, start.x + dx * step, start.y + dy * step);
            if (step < count)
                return GLib.SOURCE_CONTINUE;
            // Nothing is painted while nothing changes.
            timer = GLib.timeout_add(GLib.PRIORITY_DEFAULT, 2000, () => {
                timer = 0;
                finish();
                return GLib.SOURCE_REMOVE;
            });
            return GLib.SOURCE_REMOVE;
        });
        let done = false;
        const finish = () => {
            if (done)
                return;
            done = true;
            global.stage.disconnect(painted);
            if (timer)
                GLib.source_remove(timer);
            const sorted = [...stale].sort((a, b) => a - b);
            const at = f => sorted[Math.floor(f * (sorted.length - 1))].toFixed(1);
            invocation.return_value(new GLib.Variant('(s)', [`staleness median ${at(0.5)} ms, ` +
                `p90 ${at(0.9)} ms, max ${at(1)} ms (${worstAt.toFixed(0)} ms in) over ${stale.length} ` +
                `frames, at most ${longestGap.toFixed(0)} ms between two (${gapAt.toFixed(0)} ms in)`]));
        };
    }

    ScreenshotAsync([area, path], invocation) {
        const [x, y, width, height] = area;
        const stream = Gio.File.new_for_path(path).replace(null, false, Gio.FileCreateFlags.NONE, null);
        new Shell.Screenshot().screenshot_area(x, y, width, height, stream, (shot, result) => {
            let done = false;
            try {
                done = shot.screenshot_area_finish(result)[0];
            } catch (e) {
                done = false;
            }
            stream.close(null);
            invocation.return_value(new GLib.Variant('(b)', [done]));
        });
    }
}
