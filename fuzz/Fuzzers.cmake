# The controls' plain rules: the up-down box's text rule and the button's access-key parser.
corvane_add_fuzzer(updown_rules SOURCES fuzz_updown_rules.cpp LIBS corvane_controls)
corvane_add_fuzzer(access_key SOURCES fuzz_access_key.cpp LIBS corvane_controls)
