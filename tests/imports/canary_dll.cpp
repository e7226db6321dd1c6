// A DLL of our own: importing from it is what the import check must refuse in
// a shipped program.
extern "C" __declspec(dllexport) int kv_canary_value() { return 7; }
