local s = 0
for i = 1, 5000000 do s = s + (i * 2) % 7 end
print(s)
