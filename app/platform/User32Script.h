// Scripted answers for message boxes, installed by tests in place of the real, blocking boxes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// One message box as the game asked for it (texts converted back to Windows-1250 bytes).
struct MessageBoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    bool hasCaption;
    UINT type;
};

// Answers a message box instead of showing it; returns what MessageBoxW returns (IDOK, IDYES...).
using MessageBoxAnswerer = std::function<int(const MessageBoxCall&)>;

// Installs an answerer for every later MessageBoxW; an empty one brings back the real boxes.
void setMessageBoxAnswerer(MessageBoxAnswerer answerer);
