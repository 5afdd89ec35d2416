#include "core/settings/main_settings_window.h"

#include <vector>

#include "core/form/reaction_blocker.h"
#include "core/power/power_autotimer.h"
#include "core/settings/settings_status.h"
#include "core/state/app_context.h"
#include "core/state/home_layout.h"
#include "core/time/clock_text.h"

namespace syncward {

namespace {

// Creates a folder and every missing folder above it; true when it exists
// afterwards. The root ("/", "D:\", a "\\server\share") is never created.
bool createWithParents(FileSystem& files, const PlatformProfile& profile, const std::string& folder) {
    if (files.folderExists(folder)) return true;
    const char separator = profile.separator();
    std::size_t from = 1;
    if (folder.starts_with(std::string(2, separator)))
        from = folder.find(separator, folder.find(separator, 2) + 1);  // past "\\server\share"
    else if (profile.flavour() == PlatformProfile::Flavour::Windows)
        from = 3;  // past "D:\"
    for (std::size_t at = folder.find(separator, from); at != std::string::npos; at = folder.find(separator, at + 1))
        files.createFolder(folder.substr(0, at));
    return files.createFolder(folder);
}

constexpr WindowPlacement windowPlacement{"MAIN_SETTINGS-", 9225, 5640};
// "*.*" would hide a Linux file without a dot in its name.
constexpr const char* confFileFilter = "CONF Files (*.conf)|*.conf|All files (*.*)|*.*";
constexpr const char* confFileFilterPosix = "CONF Files (*.conf)|*.conf|All files (*)|*";

std::string helpText(const PlatformProfile& profile) {
    const std::string copyWhat =
        profile.executableSuffix().empty() ? "THE PROGRAM FILE" : "\"" + profile.executableSuffix() + "\" FILE";
    return "FOR MULTIPLE CONFIGURATIONS, COPY " + copyWhat +
           " TO A NEW FILENAME, RUN, AND CONFIGURE... !!! USE FILE / FOLDER NAMES WITHOUT SPACES !!!";
}

// A folder browser hands back a C string on some systems: nothing after a NUL counts.
std::string cutAtNul(const std::string& text) { return text.substr(0, text.find('\0')); }

}  // namespace

MainSettingsWindow::MainSettingsWindow(AppContext& app)
    : Form(formName, app.platform.loop),
      DEFAULT_FOLDER_LABEL(*this, "DEFAULT_FOLDER_LABEL", "Default = " + app.profile().defaultHomeFolder()),
      HELP_LABEL(*this, "HELP_LABEL", helpText(app.profile())),
      app_(app) {
    setCaption("SYNCWARD - MAIN SETTINGS");
    MESSAGE_STATUS_TEXTBOX.setLocked(true);
    GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX.setLocked(true);  // always the home folder's file, set by OK

    // Off until the application hands in the configuration generator.
    CONF_MANAGER_BUTTON.setEnabled(false);

    SYNCWARD_HOME_TEXTBOX.onChange.connect([this] { checkHomeFolder(); });
    USE_DEFAULT_BUTTON.onClick.connect([this] { SYNCWARD_HOME_TEXTBOX.setText(app_.profile().defaultHomeFolder()); });
    USE_CURRENT_BUTTON.onClick.connect([this] {
        SYNCWARD_HOME_TEXTBOX.setText(app_.platform.environment.executableFolder());
    });
    BROWSE_FOLDER_BUTTON.onClick.connect([this] { browseHomeFolder(); });
    CREATE_FOLDERS_BUTTON.onClick.connect([this] { createFolders(); });
    // A corrected interval takes its error away with it.
    HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.onChange.connect([this] {
        if (heartbeatTimeRefused_ && parseInterval(HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.text()))
            say("", colours::windowBackground);
    });
    USE_OWN_CONF_TICKBOX.onClick.connect([this] { ownConfClicked(); });
    CONF_BROWSE_BUTTON.onClick.connect([this] { browseConfFile(); });
    // Loading hands the value to the main window but stores nothing.
    AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.onClick.connect([this] {
        if (!loading_) stored(app_.settings.saveTick(AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX));
        app_.main.AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.setValue(AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.value());
        if (!loading_) reportStoreFailure();
    });
    POWER_AUTOTIMER_BUTTON.onClick.connect([this] { app_.powerAutotimer->openSettingsWindow(*this); });
    OK_BUTTON.onClick.connect([this] { ok(); });
    onClose.connect([this] { storeOnClose(); });
}

std::string MainSettingsWindow::defaultConfFile() const {
    return home_layout::configFile(app_.profile(), SYNCWARD_HOME_TEXTBOX.text(), app_.executableName);
}

std::string MainSettingsWindow::defaultBlockCountFile() const {
    return home_layout::blockCountFile(app_.profile(), SYNCWARD_HOME_TEXTBOX.text(), app_.executableName);
}

void MainSettingsWindow::setConfManagerAvailable(bool available) {
    confManagerAvailable_ = available;
    applyConfManagerRule();
}

void MainSettingsWindow::resetToBuiltState() {
    {
        const ReactionBlocker quiet[] = {
            ReactionBlocker(SYNCWARD_HOME_TEXTBOX),      ReactionBlocker(HEARTBEAT_COUNTDOWN_TIME_TEXTBOX),
            ReactionBlocker(USE_OWN_CONF_TICKBOX),       ReactionBlocker(CONF_FILE_LOCATION_TEXTBOX),
            ReactionBlocker(GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX), ReactionBlocker(AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX),
            ReactionBlocker(MESSAGE_STATUS_TEXTBOX)};
        SYNCWARD_HOME_TEXTBOX.setText("");
        HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.setText(main_defaults::heartbeatInterval);
        USE_OWN_CONF_TICKBOX.setValue(0);
        CONF_FILE_LOCATION_TEXTBOX.setText("");
        GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX.setText("");
        AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.setValue(0);
        MESSAGE_STATUS_TEXTBOX.setText("");
    }
    for (TextBox* box : {&SYNCWARD_HOME_TEXTBOX, &CONF_FILE_LOCATION_TEXTBOX, &MESSAGE_STATUS_TEXTBOX})
        box->setColours(colours::black, colours::windowBackground);
    for (Control* control : std::initializer_list<Control*>{
             &CREATE_FOLDERS_BUTTON, &CRYPTO_SETTINGS_BUTTON, &AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX,
             &CONF_FILE_LOCATION_LABEL, &CONF_FILE_LOCATION_TEXTBOX, &CONF_BROWSE_BUTTON})
        control->setEnabled(true);
    storeFailed_ = false;
    heartbeatTimeRefused_ = false;
}

void MainSettingsWindow::say(const std::string& text, Colour background) {
    showStatus(MESSAGE_STATUS_TEXTBOX, text, background);
    heartbeatTimeRefused_ = false;
}

void MainSettingsWindow::load() {
    const SectionSettings& s = app_.settings;
    loading_ = true;
    resetToBuiltState();

    // The stored values in this order. Loading the home
    // folder runs its check; an empty one changes nothing, so it is run here.
    s.loadPlacement(*this, windowPlacement);
    s.loadText(SYNCWARD_HOME_TEXTBOX, "");
    if (SYNCWARD_HOME_TEXTBOX.text().empty()) checkHomeFolder();
    s.loadTime(HEARTBEAT_COUNTDOWN_TIME_TEXTBOX, main_defaults::heartbeatInterval);
    s.loadTick(USE_OWN_CONF_TICKBOX, 0);
    s.loadText(CONF_FILE_LOCATION_TEXTBOX, "");
    s.loadText(GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX, "");
    s.loadTick(AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX, 1);

    // The configuration file, the user's own or the home folder's.
    MESSAGE_STATUS_TEXTBOX.setText("");
    applyConfFileChoice();
    if (!USE_OWN_CONF_TICKBOX.ticked()) CONF_FILE_LOCATION_TEXTBOX.setBackground(colours::green);

    showDefaultFolderMessage();
    loading_ = false;
    loaded_ = true;
    reportStoreFailure();
}

void MainSettingsWindow::checkHomeFolder() {
    const bool hasHome = !SYNCWARD_HOME_TEXTBOX.text().empty();
    CREATE_FOLDERS_BUTTON.setEnabled(hasHome);
    CRYPTO_SETTINGS_BUTTON.setEnabled(hasHome);
    AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.setEnabled(hasHome);
    if (!hasHome) {
        // The user emptied the folder: there is no block-count file to load.
        // A window merely loaded without a home folder keeps the stored
        // choice, so a first look does not switch auto-loading off.
        if (!loading_) AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX.setValue(0);
        SYNCWARD_HOME_TEXTBOX.setBackground(colours::red);
    }
    applyConfManagerRule();
    // Without an own file the configuration file is the home folder's, so
    // it follows the home folder as it changes.
    if (!USE_OWN_CONF_TICKBOX.ticked()) CONF_FILE_LOCATION_TEXTBOX.setText(defaultConfFile());
    showDefaultFolderMessage();
}

void MainSettingsWindow::showDefaultFolderMessage() {
    // Exact text: a trailing separator or another letter case is another folder.
    const bool isDefault = SYNCWARD_HOME_TEXTBOX.text() == app_.profile().defaultHomeFolder();
    const Colour colour = isDefault ? colours::green : colours::red;
    say(isDefault ? main_settings_texts::defaultFolderUsed : main_settings_texts::notDefaultFolder, colour);
    SYNCWARD_HOME_TEXTBOX.setBackground(colour);
}

// The generator writes into the home folder's CONFIGS and is pointless
// with an own file, so it needs a home folder and no own file.
void MainSettingsWindow::applyConfManagerRule() {
    CONF_MANAGER_BUTTON.setEnabled(confManagerAvailable_ && !SYNCWARD_HOME_TEXTBOX.text().empty() &&
                                   !USE_OWN_CONF_TICKBOX.ticked());
}

// The user's own configuration file (editable, taken from the store) or
// the home folder's (read-only, computed).
void MainSettingsWindow::applyConfFileChoice() {
    const bool own = USE_OWN_CONF_TICKBOX.ticked();
    CONF_FILE_LOCATION_LABEL.setEnabled(own);
    CONF_FILE_LOCATION_TEXTBOX.setEnabled(own);
    CONF_FILE_LOCATION_TEXTBOX.setLocked(!own);
    CONF_BROWSE_BUTTON.setEnabled(own);
    applyConfManagerRule();
    if (own)
        app_.settings.loadText(CONF_FILE_LOCATION_TEXTBOX, "");
    else
        CONF_FILE_LOCATION_TEXTBOX.setText(defaultConfFile());
}

// The choice is stored with the path, by OK or by the close box, and only
// as a pair the full-path rule accepts: a refused OK stores nothing.
void MainSettingsWindow::ownConfClicked() {
    const bool own = USE_OWN_CONF_TICKBOX.ticked();
    applyConfFileChoice();
    if (confFileAccepted()) app_.main.CONF_FILE_LOCATION_TEXTBOX.setText(CONF_FILE_LOCATION_TEXTBOX.text());
    // The path is baked into the command files only when they are saved.
    say(main_settings_texts::confFileChanged, colours::red);
    CONF_FILE_LOCATION_TEXTBOX.setBackground(own ? colours::red : colours::green);
}

bool MainSettingsWindow::confFileAccepted() const {
    const std::string& conf = CONF_FILE_LOCATION_TEXTBOX.text();
    return conf.empty() || app_.profile().isAbsoluteFolder(conf);
}

// The home folder is created with its parents, then its five sub-folders,
// so a first set-up needs nothing outside the program.
void MainSettingsWindow::createFolders() {
    const std::string& home = SYNCWARD_HOME_TEXTBOX.text();
    if (home.empty()) return;
    const PlatformProfile& profile = app_.profile();
    if (!profile.isAbsoluteFolder(home)) {
        say(main_settings_texts::homeFolderNotFull, colours::red);
        return;
    }
    FileSystem& files = app_.platform.files;
    if (!createWithParents(files, profile, home)) {
        say(main_settings_texts::homeFolderNotCreated, colours::red);
        return;
    }
    std::string failed;
    for (const char* name : home_layout::subfolders) {
        if (files.createFolder(home_layout::subfolder(profile, home, name))) continue;
        failed += (failed.empty() ? "" : ", ") + std::string(name);
    }
    if (failed.empty())
        say(main_settings_texts::foldersCreated, colours::green);
    else
        say("!!! FOLDERS NOT CREATED: " + failed + " !!!", colours::red);
}

void MainSettingsWindow::browseHomeFolder() {
    if (auto folder = app_.platform.dialogs.browseFolder(*this, "SYNCWARD - Home Folder", SYNCWARD_HOME_TEXTBOX.text()))
        SYNCWARD_HOME_TEXTBOX.setText(cutAtNul(*folder));
}

void MainSettingsWindow::browseConfFile() {
    // A cancelled dialog keeps the path the box had.
    if (auto file = app_.platform.dialogs.openFile(*this, CONF_FILE_LOCATION_LABEL.caption(),
                                                   app_.profile().inOwnWords(confFileFilterPosix, confFileFilter),
                                                   SYNCWARD_HOME_TEXTBOX.text()))
        CONF_FILE_LOCATION_TEXTBOX.setText(*file);
}

void MainSettingsWindow::ok() {
    const SectionSettings& s = app_.settings;
    MainWindow& main = app_.main;
    // Command files and reports live in the home folder: an empty one would
    // put them at the root of the file system, a relative one wherever the
    // shell happens to run.
    if (const char* refused = homeFolderRefusal()) {
        say(refused, colours::red);
        return;
    }
    // The heartbeat counts this interval down; a text that is not a time
    // would stop it, so it is not handed over.
    if (!parseInterval(HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.text())) {
        say(main_settings_texts::invalidHeartbeatTime, colours::red);
        heartbeatTimeRefused_ = true;
        return;
    }
    storeFailed_ = false;

    stored(s.saveText(SYNCWARD_HOME_TEXTBOX));
    stored(s.saveText(HEARTBEAT_COUNTDOWN_TIME_TEXTBOX));
    stored(s.saveTick(USE_OWN_CONF_TICKBOX));
    stored(s.saveText(CONF_FILE_LOCATION_TEXTBOX));
    main.CONF_FILE_LOCATION_TEXTBOX.setText(CONF_FILE_LOCATION_TEXTBOX.text());

    // The heartbeat display at rest; a running heartbeat counts the new
    // interval from now, its whole length, not what was left of the old
    // one. One that is not running stays off: the settings never start the
    // key presses by themselves.
    main.HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.setText(HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.text());
    main.KITT_BACKGROUND_LABEL.setBackground(colours::black);
    for (int n = 1; n <= MainWindow::kittLabelCount; ++n) main.kittLabel(n).setBackground(colours::red);
    if (main.HEARTBEAT_TIMER.enabled()) {
        main.HEARTBEAT_REMAINING = *parseInterval(HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.text());
        main.HEARTBEAT_COUNTDOWN_DISPLAY_TEXTBOX.setText(formatHms(main.HEARTBEAT_REMAINING));
        main.HEARTBEAT_TIMER.stop();
        main.HEARTBEAT_TIMER.start();
    }

    main.SYNCWARD_HOME_TEXTBOX.setText(SYNCWARD_HOME_TEXTBOX.text());
    GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX.setText(defaultBlockCountFile());
    main.GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX.setText(GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX.text());
    stored(s.saveText(GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX));
    stored(s.saveTick(AUTOLOAD_BLOCKCOUNT_FILE_TICKBOX));

    // A failed store keeps the window open, saying so; the main window
    // already has the values.
    if (storeFailed_) {
        reportStoreFailure();
        return;
    }
    close();
}

void MainSettingsWindow::storeOnClose() {
    const SectionSettings& s = app_.settings;
    bool saved = true;
    s.savePosition(*this, windowPlacement);
    // A folder OK would refuse is not stored behind the user's back either.
    const std::string& home = SYNCWARD_HOME_TEXTBOX.text();
    if (home.empty() || app_.profile().isAbsoluteFolder(home)) saved = s.saveText(SYNCWARD_HOME_TEXTBOX) && saved;
    if (parseInterval(HEARTBEAT_COUNTDOWN_TIME_TEXTBOX.text()))
        saved = s.saveText(HEARTBEAT_COUNTDOWN_TIME_TEXTBOX) && saved;
    if (confFileAccepted()) {
        saved = s.saveTick(USE_OWN_CONF_TICKBOX) && saved;
        saved = s.saveText(CONF_FILE_LOCATION_TEXTBOX) && saved;
    }
    // This window is going away; the main window's status line tells.
    if (!saved) app_.status(notStoredText(app_.profile(), settings_texts::settingsNotStored));
    loaded_ = false;
}

const char* MainSettingsWindow::homeFolderRefusal() const {
    const PlatformProfile& profile = app_.profile();
    if (SYNCWARD_HOME_TEXTBOX.text().empty()) return main_settings_texts::homeFolderEmpty;
    if (!profile.isAbsoluteFolder(SYNCWARD_HOME_TEXTBOX.text())) return main_settings_texts::homeFolderNotFull;
    if (!confFileAccepted()) return main_settings_texts::confFileNotFull;
    return nullptr;
}

void MainSettingsWindow::reportStoreFailure() {
    if (storeFailed_)
        say(notStoredText(app_.profile(), settings_texts::settingsNotStored), colours::red);
    storeFailed_ = false;
}

}  // namespace syncward
