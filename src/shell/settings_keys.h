#pragma once

namespace mirel::shell::settings {

// Where the window placement and the file dialogs' start live in the per-user
// settings store, and what a missing value reads as. Placement values are twips.
inline constexpr const char* application = "Mirelsim";
inline constexpr const char* section = "Settings";

inline constexpr const char* mainLeft = "MainLeft";
inline constexpr const char* mainTop = "MainTop";
inline constexpr const char* mainWidth = "MainWidth";
inline constexpr const char* mainHeight = "MainHeight";

// The folder and type ("hex", "text", "mrl") of the last file opened or saved.
inline constexpr const char* lastFolder = "LastFolder";
inline constexpr const char* lastKind = "LastKind";

// The layout's zoom in percent, one of the zoom steps.
inline constexpr const char* zoom = "Zoom";

// The rules New and Open give the machine: "Teaching Model", "16F84A",
// "16F628A" or "16F877A".
inline constexpr const char* device = "Device";

// The Instruction Set window's outer place, in twips, once it was closed.
inline constexpr const char* referenceLeft = "InstructionSetLeft";
inline constexpr const char* referenceTop = "InstructionSetTop";
inline constexpr const char* referenceWidth = "InstructionSetWidth";
inline constexpr const char* referenceHeight = "InstructionSetHeight";

inline constexpr double defaultMainLeft = 1000;
inline constexpr double defaultMainTop = 1000;
inline constexpr double defaultMainWidth = 6500;
inline constexpr double defaultMainHeight = 6500;

} // namespace mirel::shell::settings
