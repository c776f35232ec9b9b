#pragma once

class AppContext;
class frmMain;

// The handlers the main window dispatches Read from Radio, Write to Radio and Communication Port
// to.
void readFromRadioCommand(AppContext &context, frmMain &main);
void writeToRadioCommand(AppContext &context, frmMain &main);
void communicationPortCommand(AppContext &context, frmMain &main);
