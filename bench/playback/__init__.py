"""The parts of bench/run: process trees, what the recording says, and the sessions it runs."""
