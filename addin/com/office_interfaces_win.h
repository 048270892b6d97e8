// Office's add-in interfaces, declared for C++ only. They must never enter
// our type library: registering a library that defines them would replace
// Office's own registration of these interface IDs on the user's machine.
#pragma once

#include <oaidl.h>
#include <windows.h>

enum ext_ConnectMode {
    ext_cm_AfterStartup = 0,
    ext_cm_Startup = 1,
    ext_cm_External = 2,
    ext_cm_CommandLine = 3,
};

enum ext_DisconnectMode {
    ext_dm_HostShutdown = 0,
    ext_dm_UserClosed = 1,
};

MIDL_INTERFACE("B65AD801-ABAF-11D0-BB8B-00A0C90F2744")
IDTExtensibility2 : public IDispatch {
public:
    virtual HRESULT STDMETHODCALLTYPE OnConnection(IDispatch * Application,
                                                   ext_ConnectMode ConnectMode,
                                                   IDispatch * AddInInst, SAFEARRAY * *custom) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnDisconnection(ext_DisconnectMode RemoveMode,
                                                      SAFEARRAY * *custom) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY * *custom) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY * *custom) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY * *custom) = 0;
};
__CRT_UUID_DECL(IDTExtensibility2, 0xb65ad801, 0xabaf, 0x11d0, 0xbb, 0x8b, 0x00, 0xa0, 0xc9, 0x0f,
                0x27, 0x44)

MIDL_INTERFACE("000C0396-0000-0000-C000-000000000046")
IRibbonExtensibility : public IDispatch {
public:
    virtual HRESULT STDMETHODCALLTYPE GetCustomUI(BSTR RibbonID, BSTR * RibbonXml) = 0;
};
__CRT_UUID_DECL(IRibbonExtensibility, 0x000c0396, 0x0000, 0x0000, 0xc0, 0x00, 0x00, 0x00, 0x00,
                0x00, 0x00, 0x46)

MIDL_INTERFACE("000C0395-0000-0000-C000-000000000046")
IRibbonControl : public IDispatch {
public:
    virtual HRESULT STDMETHODCALLTYPE get_Id(BSTR * Id) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Context(IDispatch * *Context) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Tag(BSTR * Tag) = 0;
};
__CRT_UUID_DECL(IRibbonControl, 0x000c0395, 0x0000, 0x0000, 0xc0, 0x00, 0x00, 0x00, 0x00, 0x00,
                0x00, 0x46)
