// A DLL the hardening test places in the current folder, to see whether the
// loader still looks there.
extern "C" __declspec(dllexport) int kv_probe_value() { return 42; }
