/* The least a Cortex-M needs to run main: the vector table, .data copied from flash, .bss
 * cleared. MIT License, Copyright (c) 2026 the Zemtra authors. */
#include <stdint.h>

extern uint32_t __data_load[], __data_start[], __data_end[], __bss_start[], __bss_end[];
extern uint32_t __stack_top[];
int main(void);

void reset_handler(void) {
    const uint32_t* from = __data_load;
    for (uint32_t* to = __data_start; to < __data_end;) *to++ = *from++;
    for (uint32_t* to = __bss_start; to < __bss_end;) *to++ = 0;
    main();
    for (;;) {
    }
}

static void fault_handler(void) {
    for (;;) {
    }
}

/* The initial stack pointer, then the handlers: reset, NMI, hard fault, memory, bus, usage. */
__attribute__((section(".vectors"), used)) static const uintptr_t vectors[] = {
    (uintptr_t)__stack_top,   (uintptr_t)reset_handler, (uintptr_t)fault_handler,
    (uintptr_t)fault_handler, (uintptr_t)fault_handler, (uintptr_t)fault_handler,
    (uintptr_t)fault_handler,
};
