// What a write, replacement or deletion in a location came to. Callers that
// must tell the user why a change did not happen (or offer to retry with more
// rights) need "access denied" apart from every other refusal.
#pragma once

enum class WriteStatus { Done, AccessDenied, Failed };

struct WriteOutcome {
    WriteStatus status = WriteStatus::Failed;

    static WriteOutcome Done() { return {WriteStatus::Done}; }
    static WriteOutcome Denied() { return {WriteStatus::AccessDenied}; }
    static WriteOutcome Failed() { return {WriteStatus::Failed}; }

    explicit operator bool() const { return status == WriteStatus::Done; }
};
