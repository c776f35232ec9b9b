#pragma once

class AppContext;
class MainWindowHost;
class MainWindowHooks;

// The channel chart of the document in force, in a print preview (print, or save as PDF through
// the printer dialog); the words in the language in force.
void previewChannelChart(AppContext &context, MainWindowHost &host);
void registerChartCommand(MainWindowHooks &hooks);
