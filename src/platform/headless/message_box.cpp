#include "platform/headless/headless.h"
#include "platform/headless/internal.h"

#include <cstdio>
#include <cstring>

namespace {
headless::MessageRecord records[headless::MAX_RECORDED_MESSAGES];
int recordCount = 0;
bool echo = true;

void copyText(char* to, std::size_t capacity, const char* from) {
    std::strncpy(to, from, capacity - 1);
    to[capacity - 1] = '\0';
}
} // namespace

namespace platform {

void showMessageBox(const char* text, const char* caption) {
    if (recordCount < headless::MAX_RECORDED_MESSAGES) {
        headless::MessageRecord& record = records[recordCount++];
        copyText(record.text, sizeof record.text, text);
        copyText(record.caption, sizeof record.caption, caption);
    }
    if (echo) {
        std::fprintf(stderr, "%s%s\n", caption, text);
    }
}

} // namespace platform

namespace headless {

int messageCount() {
    return recordCount;
}
const MessageRecord& message(int index) {
    return records[index];
}
void setEchoMessages(bool on) {
    echo = on;
}

void resetMessages() {
    recordCount = 0;
    echo = true;
}

} // namespace headless
