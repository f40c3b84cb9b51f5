// Gives a new joint, link (bar, slider or frame) or drive its drawing settings from the
// application's preferences. Applying all settings at once uses the same operations.
#pragma once

class TJoint;
class TCustomLink;
class TDrive;
class TCustomXMLPreferences;

// From the installed Preferences().
void ApplyToJoint(TJoint& Joint);
void ApplyToLink(TCustomLink& Link);
void ApplyToDrive(TDrive& Drive);

// From the given store.
void ApplyToJoint(TJoint& Joint, const TCustomXMLPreferences& Prefs);
void ApplyToLink(TCustomLink& Link, const TCustomXMLPreferences& Prefs);
void ApplyToDrive(TDrive& Drive, const TCustomXMLPreferences& Prefs);
