// Puts a test's own function in place of one that the program imports, for
// as long as the hook lives: every call the program (this test executable)
// makes through its import table goes to the replacement, which can record
// the call and pass it on to original().
#ifndef SKERROW_TESTS_WINE_IMPORT_HOOK_H
#define SKERROW_TESTS_WINE_IMPORT_HOOK_H

#include <windows.h>

#include <vector>

class ImportHook {
public:
    ImportHook(const char* dll, const char* function, void* replacement);
    ~ImportHook();
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;

    template <typename F>
    F original() const
    {
        return reinterpret_cast<F>(original_);
    }

private:
    void* original_;
    std::vector<void**> slots_;
};

#endif
