#pragma once
// The desktop shell: opening a document or an address with the application associated with it.
// Behind an interface so that tests never open a browser.

#include <QString>

namespace pensilio {

class DesktopShell
{
public:
    enum ShowMode
    {
        Hide = 0,
        Normal = 1,
        Minimized = 2,
        Maximized = 3,
        Show = 5
    };
    virtual ~DesktopShell() = default;
    // Opens 'file' (a path or an address) with the given verb, parameters, working folder and
    // window mode. Failures are silent: the shell reports nothing back to the program.
    virtual void execute(const QString &operation, const QString &file, const QString &parameters,
                         const QString &folder, int showMode) = 0;
};

class QtDesktopShell final : public DesktopShell
{
public:
    void execute(const QString &operation, const QString &file, const QString &parameters,
                 const QString &folder, int showMode) override;
};

} // namespace pensilio
