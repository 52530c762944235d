#include "platform/windows/task_scheduler_registrar.h"

#include "platform/windows/win_text.h"

#include <windows.h>

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

bool connect(Com<ITaskService>& service) {
    if (FAILED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                reinterpret_cast<void**>(service.out())))) {
        return false;
    }
    const Variant none;
    return SUCCEEDED(service->Connect(none, none, none, none));
}

} // namespace

bool TaskSchedulerRegistrar::registerTask(const LogonTask& task) {
    const ComApartment apartment;
    Com<ITaskService> service;
    if (!connect(service)) {
        return false;
    }
    Com<ITaskDefinition> definition;
    if (FAILED(service->NewTask(0, definition.out())) || !definition) {
        return false;
    }
    // Each property is reached afresh from the definition; a failing one is skipped.
    {
        Com<IRegistrationInfo> info;
        if (SUCCEEDED(definition->get_RegistrationInfo(info.out())) && info) {
            info->put_Author(Bstr(task.author));
            info->put_Description(Bstr(task.description));
        }
    }
    {
        Com<ITaskSettings> settings;
        if (SUCCEEDED(definition->get_Settings(settings.out())) && settings) {
            settings->put_ExecutionTimeLimit(Bstr(task.noTimeLimit ? "PT0S" : "PT72H"));
            settings->put_DisallowStartIfOnBatteries(task.runOnBatteries ? VARIANT_FALSE : VARIANT_TRUE);
            settings->put_StopIfGoingOnBatteries(task.runOnBatteries ? VARIANT_FALSE : VARIANT_TRUE);
            settings->put_AllowHardTerminate(task.allowHardTerminate ? VARIANT_TRUE : VARIANT_FALSE);
            settings->put_AllowDemandStart(task.allowDemandStart ? VARIANT_TRUE : VARIANT_FALSE);
            settings->put_MultipleInstances(static_cast<TASK_INSTANCES_POLICY>(task.multipleInstances));
            settings->put_RunOnlyIfIdle(task.runOnlyIfIdle ? VARIANT_TRUE : VARIANT_FALSE);
            settings->put_RunOnlyIfNetworkAvailable(task.runOnlyIfNetworkAvailable ? VARIANT_TRUE : VARIANT_FALSE);
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
            principal->put_RunLevel(task.highestRunLevel ? TASK_RUNLEVEL_HIGHEST : TASK_RUNLEVEL_LUA);
        }
    }
    {
        Com<IActionCollection> actions;
        Com<IAction> action;
        Com<IExecAction> exec;
        if (SUCCEEDED(definition->get_Actions(actions.out())) && actions &&
            SUCCEEDED(actions->Create(TASK_ACTION_EXEC, action.out())) && action &&
            SUCCEEDED(action->QueryInterface(IID_IExecAction, reinterpret_cast<void**>(exec.out()))) && exec) {
            exec->put_Id(Bstr(task.actionId));
            exec->put_Path(Bstr(task.programPath));
            exec->put_WorkingDirectory(Bstr(task.workingDirectory));
            exec->put_Arguments(Bstr(task.arguments));
        }
    }
    Com<ITaskFolder> root;
    const Bstr rootPath("\\");
    if (FAILED(service->GetFolder(rootPath, root.out())) || !root) {
        return false;
    }
    Com<IRegisteredTask> registered;
    const Variant none;
    const Variant noSecurityDescriptor("");
    const Bstr name(task.name);
    return SUCCEEDED(root->RegisterTaskDefinition(name, definition.get(), TASK_CREATE, none, none,
                                                  TASK_LOGON_INTERACTIVE_TOKEN, noSecurityDescriptor, registered.out()));
}

bool TaskSchedulerRegistrar::deleteTask(const std::string& name) {
    const ComApartment apartment;
    Com<ITaskService> service;
    Com<ITaskFolder> root;
    const Bstr rootPath("\\");
    const Bstr taskName(name);
    return connect(service) && SUCCEEDED(service->GetFolder(rootPath, root.out())) && root &&
           SUCCEEDED(root->DeleteTask(taskName, 0));
}

} // namespace oruvel::platform
