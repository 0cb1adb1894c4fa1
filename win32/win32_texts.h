// The window framework's own French texts: the captions of its boxes and the errors it reports.
#pragma once

namespace talvorne::win32_texts {

inline constexpr char kApplicationTitle[] = "Talvorne";
inline constexpr char kErrorCaption[] = "Erreur";
inline constexpr char kApplicationErrorCaption[] = "Erreur d'application";
inline constexpr char kCloseButton[] = "Fer&mer";
inline constexpr char kProgramPathUnknown[] = "Chemin du programme introuvable";
inline constexpr char kUnknownError[] = "Erreur inattendue";
// The clipboard could not be opened (the system's reason follows), or refused what was put on it.
inline constexpr char kCannotOpenClipboard[] = "Impossible d'ouvrir le Presse-papiers : ";
inline constexpr char kOutOfSystemResources[] = "Ressources système insuffisantes";
// The Windows Imaging Component could not encode a picture: its HRESULT follows, in hexadecimal,
// then a closing parenthesis.
inline constexpr char kPngEncodingFailed[] = "l'encodage PNG a échoué (code ";

}  // namespace talvorne::win32_texts
