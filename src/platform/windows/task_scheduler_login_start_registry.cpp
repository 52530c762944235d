#include "platform/windows/task_scheduler_login_start_registry.h"

#include "platform/file_ops.h"

#include "platform/windows/win_text.h"

#include <windows.h>

#define SECURITY_WIN32
#include <security.h>

#include <array>
#include <cstdio>

#include <oleauto.h>
#include <taskschd.h>

namespace oruvel::platform {
namespace {

// Releases a COM interface when it goes out of scope.
template <typename T> class Com {
public:
    Com() = default;
    ~Com() {
        if (p_ != nullptr) {
            p_->Release();
        }
    }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    T** out() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

class ComApartment {
public:
    ComApartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (ok_) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool ok_;
};

// A BSTR that frees itself.
class Bstr {
public:
    explicit Bstr(const std::string& utf8) : b_(SysAllocString(toWide(utf8).c_str())) {}
    ~Bstr() { SysFreeString(b_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    operator BSTR() const { return b_; }

private:
    BSTR b_;
};

// A VARIANT that frees itself: empty, or holding a string.
class Variant {
public:
    Variant() { VariantInit(&v_); }
    explicit Variant(const std::string& utf8) : Variant() {
        v_.vt = VT_BSTR;
        v_.bstrVal = SysAllocString(toWide(utf8).c_str());
    }
    ~Variant() { VariantClear(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    operator VARIANT() const { return v_; }

private:
    VARIANT v_;
};

// Records what the Task Scheduler answered and whether it was a success.
bool succeeded(HRESULT result, const char* step) {
    if (SUCCEEDED(result)) {
        return true;
    }
    char text[96];
    std::snprintf(text, sizeof text, "the Task Scheduler refused to %s (0x%08lX)", step,
                  static_cast<unsigned long>(result));
    setFileFailure(text);
    return false;
}

bool connect(Com<ITaskService>& service) {
    if (!succeeded(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                    reinterpret_cast<void**>(service.out())),
                   "start")) {
        return false;
    }
    const Variant none;
    return succeeded(service->Connect(none, none, none, none), "connect");
}

} // namespace

bool TaskSchedulerLoginStartRegistry::add(const LoginStart& task) {
    constexpr TaskProperties kTask = kTaskProperties;
    const ComApartment apartment;
    Com<ITaskService> service;
    if (!connect(service)) {
        return false;
    }
    Com<ITaskDefinition> definition;
    if (!succeeded(service->NewTask(0, definition.out()), "make a task") || !definition) {
        return false;
    }
    // Each property is reached afresh from the definition; a failing one is skipped.
    {
        Com<IRegistrationInfo> info;
        if (SUCCEEDED(definition->get_RegistrationInfo(info.out())) && info) {
            info->put_Author(Bstr(kTask.author));
            info->put_Description(Bstr(kTask.description));
        }
    }
    {
        Com<ITaskSettings> settings;
        if (SUCCEEDED(definition->get_Settings(settings.out())) && settings) {
            settings->put_ExecutionTimeLimit(Bstr(kTask.executionTimeLimit));
            settings->put_DisallowStartIfOnBatteries(kTask.runOnBatteries ? VARIANT_FALSE : VARIANT_TRUE);
            settings->put_StopIfGoingOnBatteries(kTask.runOnBatteries ? VARIANT_FALSE : VARIANT_TRUE);
            settings->put_AllowHardTerminate(kTask.allowHardTerminate ? VARIANT_TRUE : VARIANT_FALSE);
            settings->put_AllowDemandStart(kTask.allowDemandStart ? VARIANT_TRUE : VARIANT_FALSE);
            settings->put_MultipleInstances(static_cast<TASK_INSTANCES_POLICY>(kTask.multipleInstances));
            settings->put_RunOnlyIfIdle(kTask.runOnlyIfIdle ? VARIANT_TRUE : VARIANT_FALSE);
            settings->put_RunOnlyIfNetworkAvailable(kTask.runOnlyIfNetworkAvailable ? VARIANT_TRUE : VARIANT_FALSE);
        }
    }
    {
        Com<ITriggerCollection> triggers;
        Com<ITrigger> trigger;
        if (SUCCEEDED(definition->get_Triggers(triggers.out())) && triggers) {
            triggers->Create(TASK_TRIGGER_LOGON, trigger.out());
        }
    }
    {
        Com<IPrincipal> principal;
        if (SUCCEEDED(definition->get_Principal(principal.out())) && principal) {
            principal->put_RunLevel(kTask.highestRunLevel ? TASK_RUNLEVEL_HIGHEST : TASK_RUNLEVEL_LUA);
            if (kTask.creatorOnly) {
                // Run as this user, in this user's own session: another user's logon starts nothing.
                principal->put_UserId(Bstr(currentUserAccount()));
                principal->put_LogonType(TASK_LOGON_INTERACTIVE_TOKEN);
            }
        }
    }
    {
        Com<IActionCollection> actions;
        Com<IAction> action;
        Com<IExecAction> exec;
        if (SUCCEEDED(definition->get_Actions(actions.out())) && actions &&
            SUCCEEDED(actions->Create(TASK_ACTION_EXEC, action.out())) && action &&
            SUCCEEDED(action->QueryInterface(IID_IExecAction, reinterpret_cast<void**>(exec.out()))) && exec) {
            exec->put_Id(Bstr(kTask.actionId));
            exec->put_Path(Bstr(task.programPath));
            exec->put_WorkingDirectory(Bstr(task.workingDirectory));
            exec->put_Arguments(Bstr(task.arguments));
        }
    }
    Com<ITaskFolder> root;
    const Bstr rootPath("\\");
    if (!succeeded(service->GetFolder(rootPath, root.out()), "open its task folder") || !root) {
        return false;
    }
    Com<IRegisteredTask> registered;
    const Variant none;
    const Variant noSecurityDescriptor("");
    const Bstr name(task.name);
    return succeeded(root->RegisterTaskDefinition(name, definition.get(), TASK_CREATE, none, none,
                                                  TASK_LOGON_INTERACTIVE_TOKEN, noSecurityDescriptor, registered.out()),
                     "register the task");
}

std::string currentUserAccount() {
    std::array<wchar_t, 512> name{};
    auto size = static_cast<ULONG>(name.size());
    return GetUserNameExW(NameSamCompatible, name.data(), &size) != 0 ? toUtf8(std::wstring_view(name.data(), size))
                                                                      : std::string();
}

bool TaskSchedulerLoginStartRegistry::remove(const std::string& name) {
    const ComApartment apartment;
    Com<ITaskService> service;
    Com<ITaskFolder> root;
    const Bstr rootPath("\\");
    const Bstr taskName(name);
    return connect(service) && succeeded(service->GetFolder(rootPath, root.out()), "open its task folder") && root &&
           succeeded(root->DeleteTask(taskName, 0), "delete the task");
}

} // namespace oruvel::platform
