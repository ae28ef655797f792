#pragma once

#include <QString>

// Seam for the two process services the program needs: asking whether a
// process with an exact executable name runs, and ending all of them.
class ProcessControl
{
public:
    virtual ~ProcessControl();

    // True when a running process has exactly this executable name
    // (case-sensitive).
    virtual bool exitproc(const QString &exeName) = 0;
    // "taskkill /im NAME /f": force-end every process of that name; a name
    // that is not running changes nothing.
    virtual void taskkill(const QString &exeName) = 0;
};
