#include "PageNavigation.h"

#include "CommandIds.h"

namespace PageNavigation {

bool isNavigation(int command)
{
    switch (command) {
    case CommandIds::FirstPage:
    case CommandIds::BackTenPages:
    case CommandIds::PreviousPage:
    case CommandIds::NextPage:
    case CommandIds::ForwardTenPages:
    case CommandIds::LastPage:
        return true;
    default:
        return false;
    }
}

bool isEnabled(int command, int current, int count)
{
    switch (command) {
    case CommandIds::FirstPage:
    case CommandIds::PreviousPage:
        return current > 1;
    case CommandIds::NextPage:
    case CommandIds::LastPage:
        return current < count;
    case CommandIds::BackTenPages:
        return current >= 11;
    case CommandIds::ForwardTenPages:
        return count >= current + 10;
    default:
        return false;
    }
}

int target(int command, int current, int count)
{
    if (!isEnabled(command, current, count))
        return current;
    switch (command) {
    case CommandIds::FirstPage:
        return 1;
    case CommandIds::PreviousPage:
        return current - 1;
    case CommandIds::NextPage:
        return current + 1;
    case CommandIds::LastPage:
        return count;
    case CommandIds::BackTenPages:
        return current - 10;
    case CommandIds::ForwardTenPages:
        return current + 10;
    default:
        return current;
    }
}

} // namespace PageNavigation
