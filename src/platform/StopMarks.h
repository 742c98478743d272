#pragma once

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>

// The marks of Stop.h, kept as each system names files (char on POSIX, wchar_t on Windows), in
// memory that a signal or console handler may read.
namespace moravel::platform::stopmarks {

template <class Char> class Marks {
public:
    static constexpr int Capacity = 16384;

    // A ticket for unmark(), or -1 where the marks are not read by any handler or are full.
    int mark(const std::basic_string<Char>& name, bool directory) {
        if (!installed)
            return -1;
        const size_t bytes = (name.size() + 1) * sizeof(Char);
        auto* copy = static_cast<Char*>(std::malloc(bytes));
        if (!copy)
            return -1;
        std::memcpy(copy, name.c_str(), bytes);
        // The conversion writes on more than one thread: each mark takes a slot of its own.
        const int ticket = m_used.fetch_add(1);
        if (ticket >= Capacity) {
            std::free(copy);
            return -1;
        }
        m_marks[ticket].directory = directory;
        m_marks[ticket].path.store(copy);
        return ticket;
    }

    void unmark(int ticket) {
        if (ticket < 0 || ticket >= Capacity)
            return;
        std::free(m_marks[ticket].path.exchange(nullptr));
    }

    // Calls remove(path, directory) for every mark, the last marked first; nothing else (a handler
    // may call it).
    template <class Remove> void takeAway(Remove remove) const {
        for (int i = std::min(m_used.load(), Capacity) - 1; i >= 0; --i)
            if (const Char* path = m_marks[i].path.load())
                remove(path, m_marks[i].directory);
    }

    bool installed = false; // nothing is marked where no handler would read the marks

private:
    struct Mark {
        std::atomic<Char*> path{nullptr};
        bool directory = false;
    };
    Mark m_marks[Capacity];
    std::atomic<int> m_used{0}; // marks handed out so far; a freed one is not used again
};

} // namespace moravel::platform::stopmarks
