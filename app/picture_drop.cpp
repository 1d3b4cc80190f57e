#include "app/picture_drop.h"

#include <atomic>
#include <memory>
#include <new>
#include <thread>
#include <vector>

#include "app/app_state.h"
#include "app/control_states.h"
#include "app/game_operations.h"
#include "app/player_patterns.h"
#include "maker/make_pattern.h"
#include "platform/base/text.h"
#include "platform/controls/message_box.h"
#include "platform/drawing/cursor.h"
#include "platform/system/files.h"
#include "platform/windows/dropped_files.h"
#include "platform/windows/invalidation.h"
#include "platform/windows/message_queue.h"
#include "platform/windows/timers.h"
#include "platform/windows/window.h"

namespace {

struct Job {
    std::u16string path;
    std::atomic<bool> cancelled{false};
    // Written by the worker before it posts; read on the UI thread after joining it.
    std::optional<std::vector<std::byte>> pattern;
    std::string error;
    std::thread worker;
};

std::unique_ptr<Job> job;
PictureMaker chosenMaker;

// Thrown from the progress report to stop a worker the game no longer waits for.
struct Stopped {};

std::optional<PatternFile> makeWithMediumDetail(const std::string& path, std::string& error,
                                                const std::function<void(double)>& progress) {
    MakeReport report;
    return makePattern(path, optionsFor(Detail::Medium), report, error, progress);
}

void work(Job& j, PictureMaker maker, std::string path, HWND window) {
    try {
        std::string error;
        const auto made = maker(path, error, [&j](double) {
            if (j.cancelled) {
                throw Stopped{};
            }
        });
        if (made) {
            j.pattern = serializePatternFile(*made);
        } else {
            j.error = error;
        }
    } catch (const Stopped&) {
        j.error = "was left unfinished";
    } catch (const std::bad_alloc&) {
        j.error = "needs more memory than there is";
    } catch (...) {
        j.error = "cannot be made into pieces";
    }
    platform::postFromAnyThread(window, kPictureMadeMessage, 0, 0);
}

std::u16string fileNameOf(const std::u16string& path) {
    return path.substr(path.find_last_of(PATH_SEPARATOR) + 1);
}

// The maker's reasons follow the file's name ("is too large a file"); a few
// are whole clauses of their own.
std::u16string reasonClause(const std::string& reason) {
    for (const char* verb : {"is ", "has ", "refers ", "cannot ", "became ", "needs ", "was "}) {
        if (reason.starts_with(verb)) {
            return u"it " + platform::utf8ToUtf16(reason);
        }
    }
    return platform::utf8ToUtf16(reason);
}

void tell(const std::u16string& text) {
    MessageBox(appState.mainWindow, text.c_str(), u"Vellumar", MB_OK | MB_ICONWARNING);
}

void tellNotMade(const std::u16string& path, const std::string& reason) {
    tell(u"No pattern could be made of \"" + fileNameOf(path) + u"\": " + reasonClause(reason) + u".");
}

// The pattern made, saved in the player's folder and started; or a message.
void saveAndStart(const std::u16string& path, const std::vector<std::byte>& pattern) {
    const auto folder = playerPatternFolder();
    const std::u16string folderText = playerPatternFolderText();
    const std::u16string programFolder(appState.settings.programFolder,
                                       platform::boundedLength(appState.settings.programFolder, MAX_PATH));
    const std::u16string name =
        folder ? uniquePatternName(patternNameFromFile(path), {folderText, programFolder}) : u"";
    const std::u16string patternPath = folderText + name + u".mza";
    if (!folder) {
        tellNotMade(path, "cannot be saved: neither XDG_DATA_HOME nor HOME names a folder for it");
        return;
    }
    if (patternPath.size() >= MAX_PATH) {
        tellNotMade(path, "cannot be saved: the path of " + folder->string() + " is too long");
        return;
    }
    const std::vector<std::byte> thumbnail = thumbnailFileFor(pattern);
    if (thumbnail.empty() || !savePlayerPattern(*folder, name, pattern, thumbnail)) {
        tellNotMade(path, "cannot be saved in " + folder->string());
        return;
    }
    platform::copyToBuffer(appState.settings.CurrentPattern, MAX_PATH, patternPath);
    platform::copyToBuffer(appState.settings.CurrentPatternShort, MAX_PATH, name);
    startPattern();
    InvalidateRect(appState.mainWindow, nullptr, TRUE);
    updateControlStates();
}

}  // namespace

void usePictureMaker(PictureMaker maker) {
    chosenMaker = std::move(maker);
}

bool pictureBeingMade() {
    return job != nullptr;
}

void onFilesDropped(HDROP drop) {
    const UINT count = DragQueryFile(drop, 0xFFFFFFFFu, nullptr, 0);
    std::u16string path(DragQueryFile(drop, 0, nullptr, 0), u'\0');
    DragQueryFile(drop, 0, path.data(), static_cast<UINT>(path.size() + 1));
    DragFinish(drop);
    if (path.empty()) {
        return;
    }
    if (job) {
        tell(u"Vellumar is still making a pattern of \"" + fileNameOf(job->path) + u"\"; drop \"" +
             fileNameOf(path) + u"\" again once it has started.");
        return;
    }
    job = std::make_unique<Job>();
    job->path = path;
    job->worker = std::thread(work, std::ref(*job), chosenMaker ? chosenMaker : makeWithMediumDetail,
                              platform::utf16ToUtf8(path), appState.mainWindow);
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
    if (count > 1) {
        tell(u"Vellumar makes one picture at a time: it is making \"" + fileNameOf(path) +
             u"\"; drop the others once it has started.");
    }
}

void onPictureMade() {
    if (!job) {
        return;
    }
    // A dialog or message box is open: the game changes once it is answered.
    if (!IsWindowEnabled(appState.mainWindow) || appState.chooserOpen != 0) {
        SetTimer(appState.mainWindow, kPictureMadeRetryTimerId, kPictureMadeRetryMilliseconds, nullptr);
        return;
    }
    KillTimer(appState.mainWindow, kPictureMadeRetryTimerId);
    job->worker.join();
    const std::unique_ptr<Job> done = std::move(job);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    if (done->pattern) {
        saveAndStart(done->path, *done->pattern);
    } else {
        tellNotMade(done->path, done->error);
    }
}

void stopMakingPicture() {
    if (job) {
        job->cancelled = true;
        job->worker.join();
        job.reset();
    }
}
