#include "program/wayland_start.h"

#include "platform/file_instance_lock.h"
#include "program/announced_toolbars.h"
#include "toolbar/toolbar_program.h"

namespace brumelis {

int StartOnWayland(const SessionEnvironment& session, WaylandRow& row, int& argc, char**& argv,
                   const Refusal& refuse) {
    const WaylandStart start{
        session, AnnouncementDirectory(session.runtimeDirectory, session.waylandDisplay)};
    if (const std::optional<int> ended = row.Open(argc, argv, start)) return *ended;
    FileInstanceLock startLock(session.waylandDisplay, session.runtimeDirectory);
    startLock.Acquire();
    Text refusal;
    WindowSystem* windows = row.Windows(start, refusal);
    if (windows == nullptr) {
        startLock.Release();
        return refuse(refusal);
    }
    WithAnnouncedToolbars desktop(*windows, start.announcements);
    std::unique_ptr<AnnouncedToolbar> announced;
    // Under the start lock, before the instance check: the toolbar and its
    // hidden owner, as an X server would list them.
    return RunToolbarProgram(
        desktop, startLock,
        [&](const FormLayout& layout) {
            announced = std::make_unique<AnnouncedToolbar>(start.announcements, layout.caption, 2);
            return row.MakeToolkit(layout);
        },
        row.Keys());
}

}  // namespace brumelis
