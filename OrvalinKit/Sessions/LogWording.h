#pragma once

#include <QString>
#include <functional>

// The texts of "Moved files.txt", so that the application can supply translated, branded ones.
struct LogWording
{
    // (app name, moved count, date text) -> the first line.
    std::function<QString(const QString& app, qsizetype count, const QString& date)> title;
    QString from;
    QString to;
    QString howToRestore;
    QString moved;
    QString failed;
    QString restoredHeading;

    // The built-in English wording.
    static LogWording english();
};
