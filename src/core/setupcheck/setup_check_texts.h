#pragma once

namespace syncward::setup_check_texts {

// The window.
inline constexpr const char* caption = "SYNCWARD - CHECK SETUP";
inline constexpr const char* allFine = "!!! NOTHING RED - A RUN CAN START !!!";
inline constexpr const char* someFail = "!!! RED LINES - A RUN WILL FAIL - FIX THEM FIRST !!!";
inline constexpr const char* onlyDoubts = "!!! NOTHING RED - READ THE YELLOW LINES !!!";
inline constexpr const char* tooManyLines = "... MORE LINES: RUN \"--check\" ON THE COMMAND LINE TO SEE THEM ALL";

// The home folder and its files.
inline constexpr const char* noHome = "NO HOME FOLDER SET";
inline constexpr const char* fixNoHome = "MAIN SETTINGS: CHOOSE ONE OR \"Default\", THEN \"CREATE FOLDERS\"";
inline constexpr const char* fixNotFull = "GIVE IT FROM THE ROOT";
inline constexpr const char* fixNotFullWindows = "GIVE IT FROM ITS DRIVE (C:\\...)";
inline constexpr const char* fixCreateFolders = "MAIN SETTINGS: \"CREATE FOLDERS\"";
inline constexpr const char* fixWriteAccess = "GIVE YOURSELF WRITE ACCESS OR CHOOSE ANOTHER FOLDER";
inline constexpr const char* fixSaveCrypto = "CRYPTO SETTINGS: \"Save\" WRITES IT AGAIN";
inline constexpr const char* fixSaveMail = "EMAIL SETTINGS: \"OK\" WRITES IT";
inline constexpr const char* differs = " DIFFERS FROM WHAT THE SETTINGS WRITE NOW (AN EARLIER VERSION, OR EDITED BY HAND)";

// The blockchain folder.
inline constexpr const char* noBlockchain = "NO BLOCKCHAIN FOLDER SET - THE NODE USES ITS OWN DEFAULT";
inline constexpr const char* fixNoBlockchain = "CRYPTO SETTINGS: CHOOSE THE NODE'S DATA FOLDER, SO ITS SIZE IS MEASURED";
inline constexpr const char* fixCreateBlockchain = "CREATE IT (mkdir -p) OR CHOOSE ANOTHER IN CRYPTO SETTINGS";
inline constexpr const char* fixCreateBlockchainWindows = "CREATE IT OR CHOOSE ANOTHER IN CRYPTO SETTINGS";
inline constexpr const char* fixFreeSpace = "FREE SOME SPACE OR MOVE THE BLOCKCHAIN FOLDER";

// The node programs.
inline constexpr const char* noNodeChosen = "NEITHER \"RUN QT\" NOR \"RUN DAEMON\" TICKED - A RUN STARTS NO NODE";
inline constexpr const char* fixNoNodeChosen = "TICK ONE IN THE MAIN WINDOW, UNLESS THE NODE RUNS BY ITSELF";
inline constexpr const char* fixNoProgramName = "CRYPTO SETTINGS: FILL IN ITS FILE (\"Use\" GIVES THE USUAL ONE)";
inline constexpr const char* fixInstallNode = "INSTALL THE COIN'S NODE, OR CHOOSE THE PROGRAM IN CRYPTO SETTINGS";

// The configuration file.
inline constexpr const char* noConf = "NO \".CONF\" FILE SET - THE NODE READS ITS OWN DEFAULT";
inline constexpr const char* fixNoConf = "MAIN SETTINGS: CHOOSE ONE, OR MAKE ONE IN THE CRYPTO \".CONF\" FILE MANAGER";
inline constexpr const char* fixConfMissing = "MAIN SETTINGS: CHOOSE AN EXISTING FILE, OR MAKE ONE IN THE \".CONF\" FILE MANAGER";
inline constexpr const char* fixConfShared = "IT HOLDS A PASSWORD: chmod 600 IT";

// The client and the node.
inline constexpr const char* nodeNotRunning = "THE NODE IS NOT RUNNING NOW - THE CLIENT WAS NOT TRIED";
inline constexpr const char* fixNodeNotRunning = "\"TRY THE NODE\" STARTS IT AND ASKS IT";
inline constexpr const char* clientReaches = "THE CLIENT REACHES THE RUNNING NODE";
inline constexpr const char* loginRefused = "THE RUNNING NODE REFUSED THE CLIENT'S LOGIN";
inline constexpr const char* fixLoginRefused =
    "rpcuser / rpcpassword IN THE \".CONF\" FILE MUST BE THE NODE'S (OR LEAVE BOTH OUT: THE COOKIE IS USED)";
inline constexpr const char* wrongPort = "THE NODE RUNS, BUT THE CLIENT CANNOT CONNECT TO IT - A WRONG PORT?";
inline constexpr const char* fixWrongPort = "rpcport / rpcconnect IN THE \".CONF\" FILE MUST BE THOSE OF THE RUNNING NODE";
inline constexpr const char* nodeStarting = "THE NODE IS STILL STARTING - IT ANSWERS NO CALL YET";
inline constexpr const char* fixNodeStarting = "CHECK AGAIN IN A MINUTE";
inline constexpr const char* fixClientFails = "SEE WHAT THE CLIENT SAYS; \"TRY THE NODE\" SHOWS MORE";

// The choices of an unattended run.
inline constexpr const char* finishUnticked = "\"Finish When Identical\" UNTICKED";
inline constexpr const char* fixFinishUnticked =
    "THE BLOCK COUNTER NEVER FINISHES BY ITSELF: THE RUN WAITS FOR SOMEBODY - TICK IT IN THE MAIN WINDOW";
inline constexpr const char* overrideUnticked = "OVERRIDE TIMER UNTICKED";
inline constexpr const char* fixOverrideUnticked =
    "A PHASE ENDS BY IDENTICAL COUNTS OR THE RUN LIMIT ONLY; TICK IT TO END EVERY PHASE AFTER ITS TIME";
inline constexpr const char* autostartUnticked = "AutoStart UNTICKED";
inline constexpr const char* fixAutostartUnticked = "A SCHEDULED START OPENS THE WINDOW BUT STARTS NO RUN - TICK IT";
inline constexpr const char* noEndAction = "NEITHER AUTOCLOSE NOR POWER AUTOTIMER TICKED";
inline constexpr const char* fixNoEndAction = "THE WINDOW STAYS OPEN AFTER THE RUN UNTIL SOMEBODY CLOSES IT";
inline constexpr const char* runChoicesFine = "FINISH WHEN IDENTICAL, OVERRIDE, AUTOSTART AND AN END ACTION TICKED";

// E-mail.
inline constexpr const char* fixInstallMailer = "INSTALL IT (apt install sendemail) OR SET ITS FOLDER IN EMAIL SETTINGS";
inline constexpr const char* fixInstallMailerWindows = "PUT SendEmail.exe THERE OR SET ITS FOLDER IN EMAIL SETTINGS";
inline constexpr const char* fixMailServer = "EMAIL SETTINGS: \"host:port\" OF A SERVER THAT ANSWERS FROM HERE";
// After "MAIL SERVER \"host:port\"": what it did instead of greeting as a
// mail server ("220 ..."), in at most 10 seconds.
inline constexpr const char* mailServerSilent = " TAKES THE CONNECTION BUT SENDS NO GREETING IN 10 SECONDS";
inline constexpr const char* fixMailServerSilent =
    "EMAIL SETTINGS: ITS SMTP PORT (USUALLY 587, OR 25) - A PORT THAT WANTS TLS FROM THE START NEVER GREETS THE MAILER";
inline constexpr const char* mailServerTlsOnly = " SENDS NO GREETING IN 10 SECONDS - PORT 465 WANTS TLS FROM THE START";
inline constexpr const char* fixMailServerTlsOnly =
    "EMAIL SETTINGS: USE ITS PORT 587 (OR 25) - THE MAILER STARTS PLAIN AND TURNS TLS ON AFTER THE GREETING";
inline constexpr const char* mailServerClosed = " CLOSES THE CONNECTION WITHOUT A GREETING";
inline constexpr const char* notAMailServer = " ANSWERS, BUT NOT AS A MAIL SERVER: ";
inline constexpr const char* fixMailPort = "EMAIL SETTINGS: THE MAIL SERVER'S SMTP PORT (USUALLY 587, OR 25)";
inline constexpr const char* mailServerNotNow = " TURNS THIS COMPUTER AWAY FOR NOW: ";
inline constexpr const char* fixMailServerNotNow = "CHECK AGAIN LATER - A RUN NOW WOULD SEND NO MAIL";
inline constexpr const char* mailServerRefuses = " REFUSES THIS COMPUTER: ";
inline constexpr const char* fixMailServerRefuses =
    "ASK THE MAIL PROVIDER, OR CHOOSE A SERVER THAT TAKES MAIL FROM HERE IN EMAIL SETTINGS";
inline constexpr const char* mailPasswordEmpty = "THE MAIL PASSWORD IS EMPTY";
inline constexpr const char* fixMailPassword = "EMAIL SETTINGS: ENTER IT, UNLESS THE SERVER TAKES MAIL WITHOUT A LOGIN";

// The weekly task.
inline constexpr const char* crontabUnreadable = "THE CRONTAB CANNOT BE READ";
inline constexpr const char* fixScheduler = "SETTINGS - SCHEDULER: CREATE AND ENABLE THE TASK";
inline constexpr const char* taskMissing = "THE WEEKLY TASK IS ENABLED IN THE WINDOW, BUT ITS LINE IS NOT IN THE CRONTAB";
inline constexpr const char* taskDisabled = "THE WEEKLY TASK IS ENABLED IN THE WINDOW, BUT ITS LINE IS DISABLED";
inline constexpr const char* taskNotWanted = "NO WEEKLY TASK ENABLED - A RUN STARTS ONLY BY HAND";
inline constexpr const char* taskUnwanted = "THE WEEKLY LINE IS ENABLED, BUT THE WINDOW SAYS DISABLED";
inline constexpr const char* fixTaskUnwanted = "SETTINGS - SCHEDULER: ENABLE OR DISABLE IT AGAIN";
inline constexpr const char* fixTaskProgram = "SETTINGS - SCHEDULER: CREATE THE TASK AGAIN FROM THIS COPY";
inline constexpr const char* fixDisplayGone = "THE RUN WILL GO OFFSCREEN, WITHOUT A WINDOW";

// Keeping awake and the power action.
inline constexpr const char* noLockKeys = "NO LOCK KEYS HERE (NO X11 DISPLAY) - THE HEARTBEAT PRESSES NOTHING";
inline constexpr const char* noLockKeysWindows = "NO LOCK KEYS HERE (NO VISIBLE DESKTOP) - THE HEARTBEAT PRESSES NOTHING";
inline constexpr const char* fixNoLockKeys = "THE SLEEP INHIBITOR STILL KEEPS THE COMPUTER AWAKE";
inline constexpr const char* noInhibitor = "THE SLEEP INHIBITOR CANNOT BE REACHED";
inline constexpr const char* fixNoInhibitor =
    "THE COMPUTER MAY SLEEP DURING A RUN: CHECK systemd-logind, THE SYSTEM BUS AND THE SESSION BUS";
inline constexpr const char* fixNoInhibitorWindows = "THE COMPUTER MAY SLEEP DURING A RUN: CHECK THE POWER OPTIONS";
// Followed by what holds, "GNOME SESSION + LOGIND".
inline constexpr const char* inhibitorsHeld = "KEEP-AWAKE: SLEEP HELD OFF BY ";
inline constexpr const char* noDesktopInhibitor = " ONLY - THIS SESSION OFFERS NO DESKTOP INHIBITOR";
inline constexpr const char* fixNoDesktopInhibitor =
    "A DESKTOP'S OWN AUTOMATIC SUSPEND (GNOME) DOES NOT ASK LOGIND: TURN IT OFF FOR RUNS, OR RUN IN A DESKTOP SESSION";
inline constexpr const char* keepAwakeFine = "KEEP-AWAKE: LOCK KEYS AND THE SLEEP INHIBITOR AVAILABLE";
inline constexpr const char* noPowerAction = "POWER AUTOTIMER TICKED, BUT NO ACTION CHOSEN";
inline constexpr const char* fixNoPowerAction = "SETTINGS - POWER AUTOTIMER SETTINGS: CHOOSE ONE";
inline constexpr const char* powerActionWouldBeRefused = " - THE SYSTEM WOULD REFUSE IT, AND THE COMPUTER WOULD STAY ON";

}  // namespace syncward::setup_check_texts

namespace syncward::node_trial_texts {

inline constexpr const char* noNode = "!!! NO NODE TO TRY - TICK \"RUN QT\" OR \"RUN DAEMON\" AND NAME ITS PROGRAM !!!";
inline constexpr const char* noClient = "!!! NO CLIENT NAMED - CRYPTO SETTINGS: FILL IN THE DAEMON-CLI FILE !!!";
inline constexpr const char* alreadyRunning =
    "!!! THE NODE IS ALREADY RUNNING - NOTHING STARTED - STOP IT FIRST, OR LET THE CHECK ASK IT !!!";
inline constexpr const char* runUnderWay = "!!! A RUN IS UNDER WAY - IT HAS THE NODE - NOTHING STARTED !!!";
inline constexpr const char* processListUnreadable = "!!! THE PROCESS LIST CANNOT BE READ - NOTHING STARTED !!!";
inline constexpr const char* notStarted = "!!! THE NODE'S COMMAND FILE COULD NOT BE STARTED !!!";
inline constexpr const char* starting = "STARTING THE NODE...";
inline constexpr const char* neverRan = "!!! THE NODE DID NOT START - SEE ITS OWN WORDS BELOW !!!";
inline constexpr const char* ended = "!!! THE NODE ENDED BEFORE IT ANSWERED - SEE ITS OWN WORDS BELOW !!!";
inline constexpr const char* noAnswer = "!!! NO ANSWER FROM THE NODE IN 2 MINUTES - STOPPING IT !!!";
inline constexpr const char* stopping = "STOPPING THE NODE...";
inline constexpr const char* stopNotStarted = "!!! THE STOP COMMAND FILE COULD NOT BE STARTED - ASKING THE NODE TO SHUT DOWN !!!";
// Windows has no polite signal to send instead: the two minutes' end comes.
inline constexpr const char* stopNotStartedWindows =
    "!!! THE STOP COMMAND FILE COULD NOT BE STARTED - THE NODE IS ENDED AFTER 2 MINUTES !!!";
inline constexpr const char* succeeded = "!!! THE NODE STARTED, ANSWERED AND STOPPED - NOTHING LEFT RUNNING !!!";
inline constexpr const char* stoppedAfterFailure =
    "!!! NO ANSWER FROM THE NODE IN 2 MINUTES - IT WAS STOPPED - NOTHING LEFT RUNNING !!!";
inline constexpr const char* killed = "!!! THE NODE DID NOT EXIT IN 2 MINUTES - IT WAS ENDED AT ONCE !!!";

}  // namespace syncward::node_trial_texts
