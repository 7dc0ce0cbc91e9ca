# How the program's code is compiled: small, and without the C++ library.
# No exceptions and no RTTI, since nothing in the program needs them; without
# them no unwinding tables, type information or C++ library code come along.
foreach(target kvcore kvplatform kvframework kvui KvInst)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:
    -Os -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
    -ffunction-sections -fdata-sections>)
endforeach()
# Code built on CWin32Platform (the scan benchmark) must match its lack of type information.
target_compile_options(kvplatform INTERFACE $<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>)
# The same sources give the same program, wherever and whenever built: no link
# time in the PE header, so ld's checksum depends on the bytes alone.
target_link_options(KvInst PRIVATE -Wl,--no-insert-timestamp)
