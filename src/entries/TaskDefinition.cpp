#include "entries/TaskDefinition.h"

#include "entries/XmlLiteTree.h"
#include "system/TextCase.h"

namespace {

// xs:boolean: "true" or "1"; anything else is false. Blanks around it count for nothing.
bool ReadBoolean(const std::string& text, bool fallback) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return fallback;
    const size_t last = text.find_last_not_of(" \t\r\n");
    const std::string value = text.substr(first, last - first + 1);
    return value == "true" || value == "1";
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// "DOMAIN\user" and "user" name the same account when the user names match.
std::string UserPart(const std::string& name) {
    const size_t slash = name.rfind('\\');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

bool IsOwnAccount(const std::string& userId, const std::vector<std::string>& ownNames) {
    for (const std::string& own : ownNames) {
        if (own.empty()) continue;
        if (SameText(userId, own)) return true;
        // Only one side without a domain: the user names decide.
        const bool userHasDomain = userId.find('\\') != std::string::npos;
        const bool ownHasDomain = own.find('\\') != std::string::npos;
        if (userHasDomain != ownHasDomain && SameText(UserPart(userId), UserPart(own))) return true;
    }
    return false;
}

}  // namespace

bool ReadTaskDefinition(const std::wstring& xml, TaskDefinition& definition) {
    XmlLiteNode task;
    if (!ReadXmlLiteText(xml, task) || task.name != "Task") return false;
    definition = TaskDefinition();
    if (const XmlLiteNode* settings = task.Child("Settings")) {
        definition.enabled = ReadBoolean(settings->ChildText("Enabled"), true);
    }
    if (const XmlLiteNode* triggers = task.Child("Triggers")) {
        for (const XmlLiteNode& trigger : triggers->children) {
            const bool boot = trigger.name == "BootTrigger";
            if (!boot && trigger.name != "LogonTrigger") continue;
            TaskStartTrigger start;
            start.boot = boot;
            start.enabled = ReadBoolean(trigger.ChildText("Enabled"), true);
            if (!boot) start.userId = Trimmed(trigger.ChildText("UserId"));
            definition.startTriggers.push_back(start);
        }
    }
    if (const XmlLiteNode* actions = task.Child("Actions")) {
        for (const XmlLiteNode& action : actions->children) {
            if (action.name != "Exec") continue;
            TaskProgramAction program;
            program.command = Trimmed(action.ChildText("Command"));
            program.arguments = Trimmed(action.ChildText("Arguments"));
            program.workingDirectory = Trimmed(action.ChildText("WorkingDirectory"));
            definition.programActions.push_back(program);
        }
    }
    if (const XmlLiteNode* principals = task.Child("Principals")) {
        // The actions run under the principal their Context names; the
        // schema allows one principal, so the first one is it.
        if (const XmlLiteNode* principal = principals->Child("Principal")) {
            definition.principalUserId = Trimmed(principal->ChildText("UserId"));
        }
    }
    return true;
}

std::string TaskCommandLine(const TaskProgramAction& action) {
    std::string line = action.command;
    const bool quoted = !line.empty() && line.front() == '"';
    if (!quoted && line.find(' ') != std::string::npos) line = "\"" + line + "\"";
    if (!action.arguments.empty()) line += " " + action.arguments;
    return line;
}

bool StartsAtLogon(const TaskDefinition& definition) {
    return !definition.startTriggers.empty() && !definition.programActions.empty();
}

bool AllStartTriggersDisabled(const TaskDefinition& definition) {
    for (const TaskStartTrigger& trigger : definition.startTriggers) {
        if (trigger.enabled) return false;
    }
    return true;
}

bool StartsOnlyForOthers(const TaskDefinition& definition, const std::vector<std::string>& ownNames) {
    bool anyEnabled = false;
    for (const TaskStartTrigger& trigger : definition.startTriggers) {
        if (!trigger.enabled) continue;
        anyEnabled = true;
        if (trigger.boot || trigger.userId.empty() || IsOwnAccount(trigger.userId, ownNames)) return false;
    }
    return anyEnabled;
}
