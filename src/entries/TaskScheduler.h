// The Task Scheduler as the scheduled-task family sees it: every registered
// task with its definition, and the two changes the family makes (the enabled
// flag, deletion). The system's goes through ITaskService; tests put in one of
// their own where the Task Scheduler of the machine cannot hold their tasks.
#pragma once
#include <string>
#include <vector>

#include "system/WriteOutcome.h"

struct RegisteredTask {
    std::string path;  // "\Folder\Name", UTF-8
    bool enabled = true;
    std::wstring xml;  // the definition as the Task Scheduler gives it
};

class TaskScheduler {
public:
    virtual ~TaskScheduler() = default;
    // Every task of every folder, hidden ones too; false when the Task
    // Scheduler cannot be reached (the list then holds what was read).
    virtual bool Tasks(std::vector<RegisteredTask>& tasks) const = 0;
    // The task of that path; false when there is none.
    virtual bool Task(const std::string& path, RegisteredTask& task) const = 0;
    virtual WriteOutcome SetEnabled(const std::string& path, bool enabled) const = 0;
    virtual WriteOutcome Delete(const std::string& path) const = 0;
};

// The one in use: the system's, or the test's.
const TaskScheduler& CurrentTaskScheduler();
const TaskScheduler& SystemTaskScheduler();
// Test seam: nullptr gives the system's back.
void UseTaskSchedulerForTests(const TaskScheduler* scheduler);

// The folder part of a task path ("\" for a task in the root) and its name.
void SplitTaskPath(const std::string& path, std::string& folder, std::string& name);
