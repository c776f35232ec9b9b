#pragma once

class MainWindowHooks;

// The help window: the main window's showHelp opens it at a page, making it once.
void registerHelp(MainWindowHooks &hooks);
