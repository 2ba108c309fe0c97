#pragma once

namespace linvara::report {

// While it lives, the process's standard error goes nowhere: the workbook
// library prints its own lines about a failed write (naming its temporary
// file) where the caller reports one message naming the workbook.
class QuietStderr {
public:
    QuietStderr();
    ~QuietStderr();
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved_ = -1;
};

}  // namespace linvara::report
