// The settings the mechanism model reads: the application's preference store, which the program
// (or a test) installs, and the drawing settings it copies into every new joint, link (bar,
// slider or frame) and drive. Applying all settings at once uses the same operations.
#pragma once

#include "platform/ServiceSlot.h"

class TJoint;
class TCustomLink;
class TDrive;
class TCustomXMLPreferences;

// Where the application's settings are installed (TScopedService).
TServiceSlot<TCustomXMLPreferences>& PreferencesSlot();
// The installed settings; throws std::logic_error when none are installed.
TCustomXMLPreferences& PreferenceStore();

// From the installed store.
void ApplyToJoint(TJoint& Joint);
void ApplyToLink(TCustomLink& Link);
void ApplyToDrive(TDrive& Drive);

// From the given store.
void ApplyToJoint(TJoint& Joint, const TCustomXMLPreferences& Prefs);
void ApplyToLink(TCustomLink& Link, const TCustomXMLPreferences& Prefs);
void ApplyToDrive(TDrive& Drive, const TCustomXMLPreferences& Prefs);
