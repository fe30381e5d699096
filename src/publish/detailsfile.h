#pragma once

#include <QString>
#include <optional>

#include "publish/detailspage.h"

namespace mervalo {

// The details page of an event as the results screen and mervalo-cli write it beside the
// ranking page.

// The setting "spelverdeling mailen" of section "Standaard": whether the mailed details page
// shows the hands. Missing or anything but 0 means yes: a club whose other section still plays
// the same boards sets it to 0.
bool mailHandsSetting(const QString& settingsFile);

// Scores the event "invoer/<eventName>.txt" from its files and writes its details page to
// "<folder>/<group> Details.html", creating the folder. The full path, or nullopt with the
// reason in *error (a file of the event that cannot be read, or the page that cannot be written).
// With waitForAnalysis a double-dummy analysis still running is waited for; without, the page
// shows the deals and says the analysis is not done.
std::optional<QString> writeEventDetailsPage(const QString& programFolder, const QString& eventName, int language,
                                             const QString& folder, bool withHands, bool waitForAnalysis,
                                             QString* error = nullptr);

}  // namespace mervalo
