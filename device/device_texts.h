// Every French text the device link shows: message boxes and debug-panel status texts.
#pragma once

#include <string_view>

namespace talvorne::device_texts {

// Plain message boxes of the Connexion command.
inline constexpr std::string_view kNoBus = "Pas de BUS";
inline constexpr std::string_view kNoDevices = "Pas d'appareils";
inline constexpr std::string_view kEmptyBusList = "BUS vide";
inline constexpr std::string_view kNoOscilloscope =
    "Aucun oscilloscope trouvé. Vérifiez qu'il est branché et allumé et que son pilote est "
    "installé, puis cliquez de nouveau sur « Connexion ».";
inline constexpr std::string_view kCannotOpen = "Impossible d'ouvrir l'oscilloscope";
inline constexpr std::string_view kDriverMissing = "Pilote USB introuvable (libusb0.dll)";
// A libusb0.dll that loads but lacks one of the functions the program calls: another library of
// that name than the driver's. The function's name fills the placeholder.
inline constexpr char kDriverIncomplete[] =
    "Pilote USB incomplet : la fonction %s manque dans libusb0.dll";

// The debug panel's texts for a refused set-up step: configuration, interface, alternate setting.
inline constexpr std::string_view kConfigurationError1 = "ERREUR conf1";
inline constexpr std::string_view kConfigurationError2 = "ERREUR conf2";
inline constexpr std::string_view kConfigurationError3 = "ERREUR conf3";

// The acquisition exchange's status texts; counts follow the prefixes.
inline constexpr std::string_view kWritePrefix = "WRITE : ";
inline constexpr std::string_view kSent = "SEND";
inline constexpr std::string_view kSendError = "ERREUR send";
inline constexpr std::string_view kHeaderRequested = "recv2";
inline constexpr std::string_view kReadPrefix = "READ : ";
inline constexpr std::string_view kHeaderReceived = "RECV";
inline constexpr std::string_view kHeaderError = "Erreur recv";
inline constexpr std::string_view kReadDataPrefix = "READ DATA : ";
inline constexpr std::string_view kRecordReceived = "RECV DATA";
inline constexpr std::string_view kRecordError = "Erreur recv data";

// Plain message boxes of an acquisition that brought no whole record: the table is left as it was.
// The numbers are the transfers' results as the debug panel shows them, then L.
inline constexpr char kNoReply[] =
    "L'oscilloscope n'a pas répondu (%d). Vérifiez qu'il est allumé et relié, puis recommencez.";
inline constexpr char kRecordNotReceived[] =
    "Courbe non reçue (%d). Le tableau n'a pas changé ; recommencez la récupération.";
inline constexpr char kRecordIncomplete[] =
    "Courbe incomplète : %d octets reçus sur %d. Le tableau n'a pas changé ; recommencez la "
    "récupération.";
inline constexpr char kOscilloscopeLost[] =
    "L'oscilloscope ne répond plus. Vérifiez le câble USB, puis cliquez sur « Connexion ».";

}  // namespace talvorne::device_texts
