#pragma once

// The Qt-based part of the Tamo.Utils unit: shell opening, operating-system text,
// version of the running program, debugger test, temporary folder and its cleaning.

#include <QString>

#include <functional>

namespace Tamo {

/// Opens a document, web address or program ("open" verb) with the parameter text;
/// raises Tamo::Exception "ShellExecute result = %d" when it cannot.
void ShellOpen(const QString &aTarget, const QString &aParams, int aShowMode);

/// Replaces the platform call behind ShellOpen (tests); an empty function restores it.
/// The hook returns the shell's result number (> 32 is success).
using ShellOpenHook = std::function<int(const QString &aTarget, const QString &aParams, int aShowMode)>;
void SetShellOpenHook(ShellOpenHook aHook);

/// "%s%s (build %d)": the system's name, " x64" on x86-64, and its build number.
QString OperatingSystemText();

/// The file's four-part version ("" for a missing file or one without version
/// information); an empty path means the running executable. With aWithBeta a beta
/// version gets " - BETA".
QString FileVersionText(const QString &aPath, bool aWithBeta);
/// The version text, followed by " - BETA" when aWithBeta is set and it is a beta.
QString VersionWithBeta(const QString &aVersion, bool aWithBeta);

/// True when a debugger is attached to the process.
bool RunningUnderDebugger();

/// The user's temporary folder, ending with the path separator; created when asked.
QString TempFolder(bool aCreate);

/// Deletes the files in aFolder (ending with a separator); with aRecursive also empties
/// and removes its sub-folders. Links are removed, never followed. Failures are ignored.
void DeleteFolderContents(const QString &aFolder, bool aRecursive);

} // namespace Tamo
